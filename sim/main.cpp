// zarvick-sim: a simulated VISCA camera (address 1) on TCP, UDP and a
// pseudo-terminal, for demos and tests of controllers.

#include "camera_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace {
bool read_port(const QCommandLineParser &parser, const QString &name, quint16 *port)
{
    bool ok = false;
    const uint value = parser.value(name).toUInt(&ok);
    if (!ok || value > 65535)
        return false;
    *port = static_cast<quint16>(value);
    return true;
}

// SIGINT and SIGTERM end the event loop (through a pipe, the one thing a
// signal handler may safely touch), so the serial link gets removed.
int signal_pipe[2] = {-1, -1};

void forward_signal(int)
{
    const char byte = 1;
    if (::write(signal_pipe[1], &byte, 1) < 0)
        _exit(1);
}

void quit_on_signals(QCoreApplication &application)
{
    if (::pipe(signal_pipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    std::signal(SIGINT, forward_signal);
    std::signal(SIGTERM, forward_signal);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("zarvick-sim");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A simulated VISCA camera (address 1). It answers commands with ACK 90 41 FF and "
        "completion 90 51 FF, inquiries with 90 50 ... FF, unknown messages with the syntax "
        "error 90 60 02 FF and messages of the wrong length with 90 60 01 FF, and prints one "
        "line for each message it receives.");
    parser.addHelpOption();
    parser.addOptions({
        {"bind", "Listen on ADDR (default 127.0.0.1).", "ADDR", "127.0.0.1"},
        {"tcp-port", "TCP port (default 5678; 0 picks a free one).", "PORT", "5678"},
        {"udp-port", "UDP port (default 1259; 0 picks a free one).", "PORT", "1259"},
        {"serial", "Also open a pseudo-terminal and print the path a controller should open."},
        {"link", "With --serial: make a symbolic link PATH to the terminal.", "PATH"},
        {"completion-ms", "Send the completion MS milliseconds after the ACK (default 0).", "MS",
         "0"},
        {"strict-speed", "Refuse pan-tilt speed 00 with a syntax error, as some cameras do."},
        {"quiet", "Print only the start-up lines, not one line per message."},
        {"silent", "Never answer (fault injection)."},
        {"drop-after", "Close each TCP connection after N messages (fault injection).", "N", "0"},
        {"garbage", "Send the answers without their FF bytes (fault injection)."},
    });
    parser.process(application);

    QTextStream err(stderr);
    SimOptions options;
    options.bind = QHostAddress(parser.value("bind"));
    if (options.bind.isNull()) {
        err << "zarvick-sim: --bind takes an IP address" << Qt::endl;
        return 2;
    }
    bool ok = read_port(parser, "tcp-port", &options.tcp_port) &&
              read_port(parser, "udp-port", &options.udp_port);
    options.serial = parser.isSet("serial");
    options.link = parser.value("link");
    bool completion_ok = false;
    options.completion_ms = parser.value("completion-ms").toInt(&completion_ok);
    options.strict_speed = parser.isSet("strict-speed");
    options.quiet = parser.isSet("quiet");
    options.silent = parser.isSet("silent");
    bool drop_ok = false;
    options.drop_after = parser.value("drop-after").toInt(&drop_ok);
    options.garbage = parser.isSet("garbage");
    if (!ok || !drop_ok || !completion_ok || options.drop_after < 0 || options.completion_ms < 0) {
        err << "zarvick-sim: a port, --completion-ms or --drop-after is not a number in range"
            << Qt::endl;
        return 2;
    }

    CameraServer server(options);
    QString error;
    if (!server.start(&error)) {
        err << "zarvick-sim: " << error << Qt::endl;
        return 1;
    }
    quit_on_signals(application);
    return application.exec();
}
