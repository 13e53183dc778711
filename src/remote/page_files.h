#ifndef ZARVICK_PAGE_FILES_H
#define ZARVICK_PAGE_FILES_H

#include <map>
#include <string>

// The control page for a phone or a tablet, embedded in the program and
// served by the HTTP interface beside the API: its files by path, as they
// go out.
struct PageFile {
    std::string type;
    std::string content;
};

// Every file of the page by the path it is asked by ("/" for the page
// itself), read once from the program's resources.
std::map<std::string, PageFile> page_files();

// The headers every file of the page goes out with: it is read fresh each
// time (a new program brings a new page), its type is the one given, and
// it runs only its own scripts and styles, in no other site's frame.
const std::map<std::string, std::string> &page_headers();

#endif
