#ifndef ZARVICK_COMMAND_LINE_H
#define ZARVICK_COMMAND_LINE_H

#include <QStringList>

// What the command line asks for. It is read before the window's
// application object exists, so that --help and --version work without a
// display.
struct CommandLine {
    bool run_window = true;
    int exit_code = 0;
    // Keep config.ini in the user's configuration folder rather than in the
    // working directory (the menu entry starts the program in the home
    // folder, which is no place for it).
    bool config_folder = false;
    // The outside interfaces' ports (1-65535), over config.ini's; 0 for
    // what config.ini says.
    int http_port = 0;
    int osc_port = 0;
    // No window: config.ini's cameras served to the outside interfaces
    // (every camera opened with `open_all`; TX and RX lines with `verbose`).
    bool headless = false;
    bool open_all = false;
    bool verbose = false;
    // With `headless`: monitor pairs beside config.ini's.
    QStringList monitor_pairs;
};

// Reads the arguments (argv[0] first), with a QCoreApplication in place. Prints the help, the
// version or, for an unknown option, the usage (exit code 2) itself. The toolkit's own options
// (-platform, -style, …) are left to the application object.
CommandLine read_command_line(const QStringList &arguments);

#endif
