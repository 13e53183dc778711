// zarvick-sim: a simulated VISCA camera (address 1) on TCP, UDP and a
// pseudo-terminal, for demos and tests of controllers.

#include "camera_server.h"
#include "visca/port_text.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace {
// Port 0 asks the system for a free one.
bool read_port(const QCommandLineParser &parser, const QString &name, quint16 *port)
{
    return parse_port(parser.value(name), port, 0);
}

QString four_hex(int value) { return QString::number(value, 16).rightJustified(4, '0').toUpper(); }

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
        QString(
            "A simulated VISCA camera (address 1) on raw TCP, raw UDP, VISCA over IP (UDP, with "
            "the 8-byte header) and, when asked, a pseudo-terminal. It answers commands with ACK "
            "90 4y FF and completion 90 5y FF (y the command socket, 1 or 2), inquiries with "
            "90 50 ... FF, unknown messages with the syntax error 90 60 02 FF, messages of the "
            "wrong length with 90 60 01 FF and a third command while two execute with 90 60 03 "
            "FF, and prints one line for each message it receives. Pan, tilt, zoom and focus move "
            "at the commanded speeds and stop at their limits. The version inquiry answers vendor "
            "%1, model %2, ROM version %3, 2 sockets.")
            .arg(four_hex(ViscaCamera::vendor), four_hex(ViscaCamera::model),
                 four_hex(ViscaCamera::rom_version)));
    parser.addHelpOption();
    parser.addOptions({
        {"bind", "Listen on ADDR (default 127.0.0.1).", "ADDR", "127.0.0.1"},
        {"tcp-port", "TCP port (default 5678; 0 picks a free one).", "PORT", "5678"},
        {"udp-port", "UDP port (default 1259; 0 picks a free one).", "PORT", "1259"},
        {"visca-ip-port", "VISCA over IP port, UDP (default 52381; 0 picks a free one).", "PORT",
         "52381"},
        {"discovery-port",
         "Answer the network enquiry (ENQ:network) on this UDP port (default 52380; 0 for "
         "none), to the enquirer's address.",
         "PORT", "52380"},
        {"name", "The name the enquiry's answer gives (default SIM).", "NAME", "SIM"},
        {"profile",
         "How pan positions are written in the position inquiry and the absolute and relative "
         "moves: 'newer' (default) five pan digits and four tilt digits, as Sony SRG and BRC "
         "series cameras; 'older' four and four, as EVI-D70 era cameras.",
         "NAME", "newer"},
        {"chain",
         "N cameras (1-7) on every link, as a VISCA daisy chain: addresses 1 to N, each answering "
         "under its own (90, A0, ...); address set and interface clear pass through them all "
         "(default 1).",
         "N", "1"},
        {"serial", "Also open a pseudo-terminal and print the path a controller should open."},
        {"link", "With --serial: make a symbolic link PATH to the terminal.", "PATH"},
        {"completion-ms", "Send the completion MS milliseconds after the ACK (default 0).", "MS",
         "0"},
        {"strict-speed", "Take pan-tilt speeds 01-18h (pan) and 01-14h (tilt) only, as older "
                         "cameras do; otherwise 00 runs as the slowest and tilt goes to 17h."},
        {"quiet", "Print only the start-up lines, not one line per message."},
        {"show-bytes", "Print every message heard and every reply sent in hex (\"udp: heard 81 09 "
                       "04 00 FF\", \"udp: sent 90 50 02 FF\"), with --quiet too; a VISCA over "
                       "IP datagram whole, with its header."},
        {"silent", "Never answer (fault injection)."},
        {"drop-after", "Close each TCP connection after N messages (fault injection).", "N", "0"},
        {"garbage", "Send the answers without their FF bytes (fault injection)."},
        {"loss",
         "Drop PERCENT of the UDP and VISCA over IP datagrams that arrive, as a lossy "
         "network would (fault injection; default 0).",
         "PERCENT", "0"},
        {"seed", "With --loss: the seed of the draw, so that a run can be repeated (default 1).",
         "N", "1"},
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
              read_port(parser, "udp-port", &options.udp_port) &&
              read_port(parser, "visca-ip-port", &options.visca_ip_port) &&
              read_port(parser, "discovery-port", &options.discovery_port);
    options.name = parser.value("name");
    const QString profile = parser.value("profile");
    if (profile != "newer" && profile != "older") {
        err << "zarvick-sim: --profile takes 'newer' or 'older'" << Qt::endl;
        return 2;
    }
    options.camera.profile =
        profile == "newer" ? ViscaCamera::Profile::newer : ViscaCamera::Profile::older;
    options.serial = parser.isSet("serial");
    options.link = parser.value("link");
    bool completion_ok = false;
    options.camera.completion_ms = parser.value("completion-ms").toInt(&completion_ok);
    options.camera.strict_speed = parser.isSet("strict-speed");
    options.quiet = parser.isSet("quiet");
    options.show_bytes = parser.isSet("show-bytes");
    options.silent = parser.isSet("silent");
    bool drop_ok = false;
    options.drop_after = parser.value("drop-after").toInt(&drop_ok);
    options.garbage = parser.isSet("garbage");
    bool chain_ok = false;
    options.chain = parser.value("chain").toInt(&chain_ok);
    if (!chain_ok || options.chain < 1 || options.chain > 7) {
        err << "zarvick-sim: --chain takes 1 to 7" << Qt::endl;
        return 2;
    }
    bool loss_ok = false;
    bool seed_ok = false;
    options.loss_percent = parser.value("loss").toInt(&loss_ok);
    options.seed = parser.value("seed").toUInt(&seed_ok);
    if (!ok || !drop_ok || !completion_ok || !loss_ok || !seed_ok || options.drop_after < 0 ||
        options.camera.completion_ms < 0 || options.loss_percent < 0 ||
        options.loss_percent > 100) {
        err << "zarvick-sim: a port, --completion-ms, --drop-after, --loss or --seed is not a "
               "number in range"
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
