#include "app/command_line.h"

#include "app/monitor_terminal.h"
#include "visca/explainer.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <algorithm>
#include <array>

namespace {
// The toolkit's options that take a value, and those that do not.
const std::array<const char *, 12> toolkit_valued = {"-platform",        "-platformpluginpath",
                                                     "-platformtheme",   "-plugin",
                                                     "-qwindowgeometry", "-qwindowtitle",
                                                     "-qwindowicon",     "-display",
                                                     "-geometry",        "-style",
                                                     "-stylesheet",      "-session"};
const std::array<const char *, 5> toolkit_flags = {"-reverse", "-widgetcount", "-nograb", "-dograb",
                                                   "-sync"};

template <std::size_t size>
bool listed(const std::array<const char *, size> &options, const QString &name)
{
    return std::any_of(options.begin(), options.end(),
                       [&](const char *option) { return name == QLatin1String(option); });
}

QStringList without_toolkit_options(const QStringList &arguments)
{
    QStringList left;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const QString name = argument.section('=', 0, 0);
        if (i > 0 && listed(toolkit_valued, name)) {
            if (!argument.contains('='))
                ++i;
            continue;
        }
        if (i > 0 && listed(toolkit_flags, argument))
            continue;
        left << argument;
    }
    return left;
}
// Each capture explained, line by line; standard input's lines when none
// is given. 1 when some text was no hex, else 0.
int explain_captures(QStringList captures, QTextStream &out, QTextStream &err)
{
    if (captures.isEmpty()) {
        QTextStream in(stdin);
        for (QString line; in.readLineInto(&line);)
            captures << line;
    }
    int code = 0;
    for (const QString &capture : captures) {
        if (capture.trimmed().isEmpty())
            continue;
        QStringList lines;
        if (!explain(capture, &lines)) {
            err << "zarvick: not hex: " << capture.left(80) << "\n";
            code = 1;
            continue;
        }
        for (const QString &line : lines)
            out << line << "\n";
    }
    return code;
}
} // namespace

CommandLine read_command_line(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Drives a pan-tilt-zoom camera by VISCA commands over a serial line, TCP or UDP.\n"
        "Settings are kept in config.ini in the working directory.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption config_folder(
        "config-folder",
        "Keep config.ini in the user's configuration folder (made when missing) rather than "
        "in the working directory, as the menu entry does.");
    parser.addOption(config_folder);
    const QCommandLineOption http_port(
        "http-port", "Answer HTTP requests on PORT (API/HttpPort in config.ini).", "PORT");
    const QCommandLineOption osc_port(
        "osc-port", "Take OSC messages on UDP port PORT (API/OscPort in config.ini).", "PORT");
    parser.addOption(http_port);
    parser.addOption(osc_port);
    const QCommandLineOption explain_option(
        "explain",
        "Explain the VISCA messages given in hex (each argument a capture of one or more "
        "messages; with none, each line of standard input) and exit: one line a message, its "
        "bytes and its meaning. Exit code 1 for text that is not hex.");
    parser.addOption(explain_option);
    const QCommandLineOption headless(
        "headless",
        "Run without a window or a display: open the cameras of config.ini whose link was open "
        "at the last exit and serve them to what config.ini sets up (HTTP, OSC, the tally "
        "source, monitor pairs, and the pairs of --monitor), one line per event on standard "
        "output, until ended by a signal. Exit code 2 when there is nothing to serve or it "
        "cannot listen.");
    const QCommandLineOption open_all("open-all",
                                      "With --headless: open every camera of config.ini.");
    const QCommandLineOption verbose("verbose",
                                     "With --headless: also a line for every message sent and "
                                     "received.");
    parser.addOptions({headless, open_all, verbose});
    const QCommandLineOption monitor_option(
        "monitor",
        "Stand between a controller and its camera without a window: listen at LISTEN, pass "
        "every message on to the camera at TARGET and its answers back, and print one line a "
        "message until interrupted, then a table per command. Each of LISTEN and TARGET is "
        "udp:ADDRESS:PORT, visca-ip:ADDRESS:PORT, tcp:ADDRESS:PORT or serial:DEVICE[@BAUD]. "
        "Give it once for each pair. Exit code 2 for a pair that cannot be read or opened.",
        "LISTEN=TARGET");
    parser.addOption(monitor_option);
    parser.addPositionalArgument("hex", "With --explain: the messages to explain.", "[HEX …]");

    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine result;
    if (!parser.parse(without_toolkit_options(arguments))) {
        err << parser.errorText() << "\n\n" << parser.helpText();
        result.run_window = false;
        result.exit_code = 2;
        return result;
    }
    if (parser.isSet(help) || parser.isSet("help-all")) {
        out << parser.helpText();
        result.run_window = false;
    } else if (parser.isSet(version)) {
        out << "zarvick " << ZARVICK_VERSION << "\n";
        result.run_window = false;
    } else if (parser.isSet(monitor_option) && !parser.isSet(headless)) {
        result.run_window = false;
        result.exit_code = run_monitor(parser.values(monitor_option));
    } else if (parser.isSet(explain_option)) {
        result.run_window = false;
        result.exit_code = explain_captures(parser.positionalArguments(), out, err);
    }
    result.config_folder = parser.isSet(config_folder);
    result.headless = parser.isSet(headless);
    result.open_all = parser.isSet(open_all);
    result.verbose = parser.isSet(verbose);
    result.monitor_pairs = parser.values(monitor_option);
    if (result.run_window && !result.headless && (result.open_all || result.verbose)) {
        err << "--open-all and --verbose go with --headless\n";
        result.run_window = false;
        result.exit_code = 2;
        return result;
    }
    for (const auto &[option, port] :
         {std::pair(&http_port, &result.http_port), std::pair(&osc_port, &result.osc_port)}) {
        if (!parser.isSet(*option) || !result.run_window)
            continue;
        bool ok = false;
        const int value = parser.value(*option).toInt(&ok, 10);
        if (!ok || value < 1 || value > 65535) {
            err << "--" << option->names().first() << " takes a port from 1 to 65535\n";
            result.run_window = false;
            result.exit_code = 2;
            return result;
        }
        *port = value;
    }
    return result;
}
