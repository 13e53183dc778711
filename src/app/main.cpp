#include "app/command_line.h"
#include "app/mainwindow.h"
#include "control/end_signals.h"
#include "service/headless.h"
#include "service/line_output.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStyleFactory>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include <sys/resource.h>

namespace {
// Every connection a client opens takes a descriptor: the usual soft limit
// of 1024 must not be what stops a camera's link from opening again.
void raise_open_files_limit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// The user's configuration folder for this program, made when missing.
bool enter_config_folder()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/zarvick";
    return QDir().mkpath(folder) && QDir::setCurrent(folder);
}

// No window and no display: the cameras served until a signal ends the
// program, their stops sent as its links close.
int run_headless(int argc, char *argv[], const CommandLine &command_line)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("zarvick");
    // A service manager reads the lines as they come; one that stops
    // reading holds up nothing.
    LineOutput output(STDOUT_FILENO);
    Headless served([&output](const QString &line) { output.print(line); });
    EndSignals ending;
    QObject::connect(&ending, &EndSignals::arrived, &served,
                     [&served] { served.end([] { QCoreApplication::quit(); }); });
    QString reason;
    if (!served.start({command_line.open_all, command_line.verbose, command_line.http_port,
                       command_line.osc_port, command_line.monitor_pairs},
                      &reason)) {
        std::fprintf(stderr, "zarvick: %s\n", qPrintable(reason));
        return 2;
    }
    return QCoreApplication::exec();
}
} // namespace

int main(int argc, char *argv[])
{
    raise_open_files_limit();
    // A reader of standard output that went away (a pipe closed) is no
    // reason to end without the cameras' stops: the write fails instead.
    std::signal(SIGPIPE, SIG_IGN);
    CommandLine command_line;
    {
        // A core application for the parser, which names the program in its
        // help; the window's application object comes only when needed.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName("zarvick");
        command_line = read_command_line(QCoreApplication::arguments());
    }
    if (!command_line.run_window)
        return command_line.exit_code;
    if (command_line.config_folder && !enter_config_folder())
        qWarning("zarvick: cannot use the configuration folder; settings stay here");
    if (command_line.headless)
        return run_headless(argc, argv, command_line);

    std::future<QStringList> ports = MainWindow::read_ports();
    QApplication application(argc, argv);
    if (QStyle *style = QStyleFactory::create("fusion"))
        QApplication::setStyle(style);
    MainWindow window(std::move(ports));
    EndSignals ending;
    QObject::connect(&ending, &EndSignals::arrived, &window, &MainWindow::end_now);
    window.start_remote(command_line.http_port, command_line.osc_port);
    window.show();
    return application.exec();
}
