#include "remote/page_files.h"

#include <QFile>

// Outside any namespace: the resource's registration function is global.
static void register_page_resources() { Q_INIT_RESOURCE(page); }

namespace {
struct PageEntry {
    const char *path;
    const char *file;
    const char *type;
};

const PageEntry page_entries[] = {
    {"/", ":/page/index.html", "text/html; charset=utf-8"},
    {"/page.css", ":/page/page.css", "text/css; charset=utf-8"},
    {"/page.js", ":/page/page.js", "text/javascript; charset=utf-8"},
    {"/icon.svg", ":/page/icon.svg", "image/svg+xml"},
};
} // namespace

std::map<std::string, PageFile> page_files()
{
    register_page_resources();
    std::map<std::string, PageFile> files;
    for (const PageEntry &entry : page_entries) {
        QFile file(QString::fromLatin1(entry.file));
        if (file.open(QIODevice::ReadOnly))
            files[entry.path] = {entry.type, file.readAll().toStdString()};
    }
    return files;
}

const std::map<std::string, std::string> &page_headers()
{
    static const std::map<std::string, std::string> headers = {
        {"Cache-Control", "no-cache"},
        {"X-Content-Type-Options", "nosniff"},
        {"Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'"},
        {"Referrer-Policy", "no-referrer"},
    };
    return headers;
}
