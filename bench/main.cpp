// zarvick-bench: drives the real window offscreen, with the window shown,
// and prints each figure beside an anchor measured in the same run.
//
//   zarvick-bench [--plot-data FILE]
//                 [--only latency|serial|loop|startup|log|explain|hostile|stall|listening|
//                         scale|lossy|remote|page|tally|monitor]
//                 [--loop-seconds S] [--lossy-drives N]
//   FILE gets the log cost by log size; --only runs one part; S is how long
//   the stall part runs its 10 ms loop at the line limit (30; 1200 soaks);
//   N is how many drives each lossy link gets (1000).

#include "app/mainwindow.h"
#include "arrivals.h"
#include "figures.h"
#include "pressers.h"
#include "testsupport.h"
#include "visca/command_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QStyleFactory>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTextStream>
#include <QTime>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <cstdio>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
const QByteArray drive = QByteArray::fromHex("81010601 0e0e0301ff");

// Latencies from a press to the arrival of its bytes, in microseconds, the
// window's and the anchor's by turns (see press_by_turns).
void add_latency(QList<Figure> &figures, const QString &link, Presser window, Presser bare)
{
    press_by_turns(window, bare);
    figures << Figure{"press-to-peer p50, " + link + " (anchor: bare button)",
                      percentile(window.found, 0.5), percentile(bare.found, 0.5), "us", "<= 1.5x"}
            << Figure{"press-to-peer p99, " + link + " (anchor: bare button)",
                      percentile(window.found, 0.99), percentile(bare.found, 0.99), "us",
                      "<= 2.0x"};
}

// The anchor of a press: a lone QPushButton that writes the same bytes on
// the same kind of transport from its pressed() signal, the simplest
// controller a Qt programmer would write.
struct BareButton {
    QPushButton button{"↑"};
    explicit BareButton(const std::function<void()> &send)
    {
        show_exposed(&button);
        QObject::connect(&button, &QPushButton::pressed, send);
    }
    Presser presser(Arrivals &arrivals)
    {
        return {arrivals,
                [this] { QTest::mousePress(&button, Qt::LeftButton); },
                [this] { QTest::mouseRelease(&button, Qt::LeftButton); },
                {}};
    }
};

void press_latency(QList<Figure> &figures)
{
    ScratchFolder folder;
    {
        PtyPeer window_pty, bare_pty;
        QSerialPort port(bare_pty.path());
        port.open(QIODevice::ReadWrite);
        BareButton bare([&] {
            port.write(drive);
            port.flush();
        });
        Pad pad("radioButton_9");
        open_serial(pad.window, window_pty.path());
        Arrivals at_window(window_pty.master_fd()), at_bare(bare_pty.master_fd());
        add_latency(figures, "serial", pad.presser(at_window), bare.presser(at_bare));
    }
    {
        quint16 port = 0;
        const int listener = loopback_socket(SOCK_STREAM, &port);
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(1000);
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        const int bare_fd = ::accept(listener, nullptr, nullptr);
        BareButton bare([&] {
            socket.write(drive);
            socket.flush();
        });
        Pad pad("radioButton_10");
        connect_net(pad.window, true, port);
        const int window_fd = ::accept(listener, nullptr, nullptr);
        {
            Arrivals at_window(window_fd), at_bare(bare_fd);
            add_latency(figures, "tcp", pad.presser(at_window), bare.presser(at_bare));
        }
        for (int fd : {listener, bare_fd, window_fd})
            ::close(fd);
    }
    {
        quint16 window_port = 0, bare_port = 0;
        const int window_receiver = loopback_socket(SOCK_DGRAM, &window_port);
        const int bare_receiver = loopback_socket(SOCK_DGRAM, &bare_port);
        QUdpSocket socket;
        BareButton bare(
            [&] { socket.writeDatagram(drive, QHostAddress(QHostAddress::LocalHost), bare_port); });
        Pad pad("radioButton_10");
        connect_net(pad.window, false, window_port);
        {
            Arrivals at_window(window_receiver), at_bare(bare_receiver);
            add_latency(figures, "udp", pad.presser(at_window), bare.presser(at_bare));
        }
        for (int fd : {window_receiver, bare_receiver})
            ::close(fd);
    }
}

// The simplest reader a Qt programmer would write: a QSerialPort whose
// readyRead appends each reply to a plain QTextEdit.
class BareReader
{
public:
    explicit BareReader(const QString &path) : port(path)
    {
        log.resize(560, 180);
        show_exposed(&log);
        port.open(QIODevice::ReadWrite);
        QObject::connect(&port, &QSerialPort::readyRead, [this] {
            pending += port.readAll();
            int end;
            while ((end = pending.indexOf(char(0xFF))) >= 0) {
                log.append("RX：" + spaced_hex(pending.left(end + 1)) + "  " +
                           QTime::currentTime().toString("(hh:mm:ss.zzz)"));
                pending.remove(0, end + 1);
            }
        });
    }

private:
    QSerialPort port;
    QTextEdit log;
    QByteArray pending;
};

// The GUI thread's share of a core while a camera answers "90 41 FF" as
// fast as a 115200-baud line carries it.
double receive_load(PtyPeer &pty)
{
    const double bytes_per_second = 115200.0 / 10; // 8N1: ten bits a byte
    const int seconds = 3;
    std::atomic<bool> done{false};
    std::thread line([&] {
        const QByteArray stream = QByteArray::fromHex("9041ff").repeated(2000);
        const Clock::time_point start = Clock::now();
        long sent = 0;
        while (!done) {
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            const long due = long(elapsed * bytes_per_second);
            while (sent < due) {
                const int chunk = int(std::min<long>(due - sent, 3000 - sent % 3000));
                if (::write(pty.master_fd(), stream.constData() + sent % 3000, size_t(chunk)) <= 0)
                    break;
                sent += chunk;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    run_event_loop(200);
    const double cpu_before = thread_cpu_seconds();
    QElapsedTimer clock;
    clock.start();
    run_event_loop(seconds * 1000);
    const double share = (thread_cpu_seconds() - cpu_before) / (double(clock.elapsed()) / 1000);
    done = true;
    line.join();
    return share;
}

void serial_receive(QList<Figure> &figures)
{
    ScratchFolder folder;
    double bare = 0;
    {
        PtyPeer pty;
        BareReader reader(pty.path());
        bare = receive_load(pty);
    }
    PtyPeer pty;
    MainWindow window;
    show_exposed(&window);
    open_serial(window, pty.path());
    figures << Figure{"serial receive at 115200 baud, CPU (anchor: bare reader)",
                      100 * receive_load(pty), 100 * bare, "%", "<= 0.5x"};
}

struct Ticks {
    double per_second;
    double p99_deviation_ms;
};

Ticks ticks_of(Arrivals &arrivals, int interval)
{
    std::vector<Clock::time_point> ticks;
    Clock::time_point when;
    while (arrivals.next(&when, 50))
        ticks.push_back(when);
    std::vector<double> deviations;
    for (size_t i = 1; i < ticks.size(); ++i)
        deviations.push_back(std::abs(micros(ticks[i] - ticks[i - 1]) / 1000 - interval));
    const double span = micros(ticks.back() - ticks.front()) / 1e6;
    return {double(ticks.size() - 1) / span, percentile(deviations, 0.99)};
}

// The anchor of a loop: a bare precise QTimer sending the same datagram.
Ticks bare_loop(int interval, int run_ms)
{
    quint16 port = 0;
    const int receiver = loopback_socket(SOCK_DGRAM, &port);
    Arrivals arrivals(receiver);
    QUdpSocket socket;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        socket.writeDatagram(QByteArray::fromHex("81010604ff"),
                             QHostAddress(QHostAddress::LocalHost), port);
    });
    timer.start(interval);
    run_event_loop(run_ms);
    timer.stop();
    const Ticks ticks = ticks_of(arrivals, interval);
    ::close(receiver);
    return ticks;
}

void loop_ticks(QList<Figure> &figures)
{
    for (int interval : {10, 100}) {
        const int run_ms = interval == 10 ? 3000 : 5000;
        const Ticks bare = bare_loop(interval, run_ms);
        ScratchFolder folder;
        quint16 port = 0;
        const int receiver = loopback_socket(SOCK_DGRAM, &port);
        Arrivals arrivals(receiver);
        MainWindow window;
        show_exposed(&window);
        connect_net(window, false, port);
        QTest::mouseClick(control<QRadioButton>(&window, "radioButton_12"), Qt::LeftButton);
        control<QPlainTextEdit>(&window, "plainTextEdit")->setPlainText("81 01 06 04 FF");
        QTest::mouseClick(control<QCheckBox>(&window, "checkBox"), Qt::LeftButton);
        control<QLineEdit>(&window, "lineEdit")->setText(QString::number(interval));
        auto *send = control<QPushButton>(&window, "pushButton_13");
        QTest::mouseClick(send, Qt::LeftButton);
        run_event_loop(run_ms);
        QTest::mouseClick(send, Qt::LeftButton);

        const Ticks ours = ticks_of(arrivals, interval);
        figures
            << Figure{QString("loop at %1 ms, ticks a second (anchor: bare timer)").arg(interval),
                      ours.per_second, bare.per_second, "/s", ">= 0.95x"}
            << Figure{QString("loop at %1 ms, p99 period deviation (anchor: bare timer)")
                          .arg(interval),
                      ours.p99_deviation_ms, bare.p99_deviation_ms, "ms", "<= 2.0x"};
        ::close(receiver);
    }
}

QStringList run_child(const QStringList &arguments, const QString &until,
                      const QString &folder = QDir::tempPath(), double *until_ms = nullptr)
{
    QElapsedTimer clock;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(folder);
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    QStringList lines;
    // No time limit: a soak is silent for twenty minutes, and a child that
    // dies ends the wait.
    while (child.waitForReadyRead(-1) || child.canReadLine()) {
        while (child.canReadLine()) {
            lines << QString::fromUtf8(child.readLine()).trimmed();
            if (lines.last().startsWith(until)) {
                if (until_ms)
                    *until_ms = clock.nsecsElapsed() / 1e6;
                child.waitForFinished(10000);
                return lines;
            }
        }
    }
    return lines;
}

// A folder whose config.ini lists `cameras` cameras: the first on a serial
// port, the rest on the network.
std::unique_ptr<QTemporaryDir> camera_folder(int cameras)
{
    auto folder = std::make_unique<QTemporaryDir>();
    QFile config(folder->filePath("config.ini"));
    config.open(QIODevice::WriteOnly);
    config.write("[LANGUAGE_CONF]\nlanguage=Chinese\n[SERIAL_CONF]\nPortName=ttyS0\n");
    for (int camera = 2; camera <= cameras; ++camera)
        config.write(QString("[CAMERA_%1]\nLink=UDP\nAddress=127.0.0.%1\nPort=52381\n")
                         .arg(camera)
                         .toUtf8());
    return folder;
}

void startup(QList<Figure> &figures)
{
    const auto one = camera_folder(1), many = camera_folder(23);
    std::vector<double> window, empty, label, one_camera, many_cameras;
    // Until the child says its window is shown; its exit is no start-up.
    const auto time = [](const QStringList &arguments, const QString &folder) {
        double shown_ms = 0;
        run_child(arguments, "shown", folder, &shown_ms);
        return shown_ms;
    };
    for (int run = 0; run < 10; ++run) {
        window.push_back(time({"--startup-child", "zarvick"}, QDir::tempPath()));
        empty.push_back(time({"--startup-child", "empty"}, QDir::tempPath()));
        label.push_back(time({"--startup-child", "label"}, QDir::tempPath()));
        one_camera.push_back(time({"--startup-child", "zarvick"}, one->path()));
        many_cameras.push_back(time({"--startup-child", "zarvick"}, many->path()));
    }
    figures << Figure{"start-up to window shown, median of 10 (anchor: one Chinese label)",
                      median(window), median(label), "ms", "<= 1.5x"}
            << Figure{"start-up of one Chinese label, median of 10 (anchor: empty window)",
                      median(label), median(empty), "ms", "(the CJK font's share)"}
            << Figure{"start-up with 23 cameras in config.ini (anchor: one camera)",
                      median(many_cameras), median(one_camera), "ms", "<= 1.3x"};
}

void explain_cost(QList<Figure> &figures)
{
    // Medians of seven runs each, the two kinds in turn: a run is short,
    // and the machine's other work weighs on a few.
    std::vector<double> off_single, on_single, off_bursts, on_bursts;
    for (int run = 0; run < 7; ++run) {
        for (const bool on : {false, true}) {
            const QStringList words =
                run_child({"--explain-child", on ? "on" : "off"}, "explain").value(0).split(' ');
            (on ? on_single : off_single).push_back(words.value(1).toDouble());
            (on ? on_bursts : off_bursts).push_back(words.value(2).toDouble());
        }
    }
    figures << Figure{"log with Explain, a reply every 2 ms, per reply (anchor: Explain off)",
                      median(on_single), median(off_single), "us", "<= 1.2x"}
            << Figure{"log with Explain, 10 replies every 20 ms, per reply (anchor: Explain off)",
                      median(on_bursts), median(off_bursts), "us", "<= 1.2x"};
}

void log_cost(QList<Figure> &figures, const QString &plot_data)
{
    const QStringList window = run_child({"--log-child", "window"}, "view follows");
    const QStringList bare = run_child({"--log-child", "bare"}, "view follows");
    QFile plot(plot_data);
    if (!plot_data.isEmpty())
        plot.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream plot_out(&plot);
    if (plot.isOpen())
        plot_out << "# lines  window_every_2ms_us  window_10_every_20ms_us  bare_every_2ms_us"
                    "  bare_10_every_20ms_us  window_resident_mb\n";
    // Rows by log size: "log SIZE PER_TURN IN_BURSTS RESIDENT", and
    // "memory BYTES_PER_LINE" at 100,000 lines.
    const auto rows = [](const QStringList &lines) {
        QMap<QString, QStringList> found;
        for (const QString &line : lines) {
            const QStringList words = line.split(' ');
            found.insert(words[0] == "log" ? words.value(1) : words[0], words);
        }
        return found;
    };
    const QMap<QString, QStringList> ours = rows(window), theirs = rows(bare);
    for (const QString size : {"1000", "10000", "100000", "300000", "1000000"}) {
        const QStringList mine = ours.value(size), anchor = theirs.value(size);
        if (mine.isEmpty())
            continue;
        figures << Figure{"log, lock-step, one line a turn, at " + size + " lines",
                          mine[2].toDouble(), anchor.value(2).toDouble(), "us/line", "(see text)"}
                << Figure{"log, lock-step, bursts of 10, at " + size + " lines", mine[3].toDouble(),
                          anchor.value(3).toDouble(), "us/line", "(see text)"}
                << Figure{"log, a reply every 2 ms, at " + size + " lines", mine[5].toDouble(),
                          anchor.value(5).toDouble(), "us/line", "<= 1.0x"}
                << Figure{"log, 10 replies every 20 ms, at " + size + " lines", mine[6].toDouble(),
                          anchor.value(6).toDouble(), "us/line", "<= 0.5x"};
        if (plot.isOpen())
            plot_out << size << ' ' << mine[5] << ' ' << mine[6] << ' ' << anchor.value(5, "?")
                     << ' ' << anchor.value(6, "?") << ' ' << mine[4].toDouble() / 1048576 << '\n';
    }
    figures << Figure{"log memory per line, at 100,000 lines",
                      ours["memory"].value(1).toDouble() / 1024,
                      theirs["memory"].value(1).toDouble() / 1024, "kB", "<= 1.0x"}
            << Figure{"log memory above idle at 1,000,000 lines",
                      (ours["1000000"].value(4).toDouble() - ours["idle"].value(1).toDouble()) /
                          1048576,
                      0, "MB", "< 100 MB"}
            << Figure{"log memory at 1,000,000 lines (anchor: at 100,000)",
                      ours["1000000"].value(4).toDouble() / 1048576,
                      ours["100000"].value(4).toDouble() / 1048576, "MB",
                      "<= 1.25x: flat past the limit (it holds up to a tenth more)"};
    std::printf(
        "log view follows the newest line: %s; colours kept: %s\n",
        qPrintable(window.value(window.size() - 1).section(' ', 2, 2) == "1" ? "yes" : "no"),
        qPrintable(window.value(window.size() - 1).section(' ', 4, 4) == "1" ? "yes" : "no"));
}

void hostile_input(QList<Figure> &figures)
{
    double first_megabyte = 0;
    for (const QString &line : run_child({"--hostile-child"}, "stall")) {
        const QStringList words = line.split(' ');
        if (words[0] == "ffless" && words[1] == "1")
            first_megabyte = words[2].toDouble() / 1048576;
        else if (words[0] == "ffless" && words[1] == "3")
            figures << Figure{"memory after 3 MB of serial input without FF (anchor: 1 MB)",
                              words[2].toDouble() / 1048576, first_megabyte, "MB",
                              "<= 3.3x: linear up to the budget, then flat"};
        else if (words[0] == "ffless")
            figures << Figure{"memory above idle after 20 MB without FF",
                              words[2].toDouble() / 1048576, 0, "MB", "< 100 MB"};
        else if (words[0] == "stall")
            figures << Figure{"longest stall, 1 MB in one TCP read (anchor: 3 bytes)",
                              words[1].toDouble(), words[2].toDouble(), "ms", "< 16 ms, one frame"};
        else if (words[0] == "udpflood" || words[0] == "enquiryflood")
            figures << Figure{words[0] == "udpflood"
                                  ? "window's own CPU in its longest turn, 2,000 UDP datagrams "
                                    "of 60,000 bytes without FF"
                                  : "window's own CPU in its longest turn, 20,000 answers to "
                                    "the cameras' enquiry",
                              words[2].toDouble(), 0, "ms", "<= 16 ms, one frame"};
    }
}

void stalls(QList<Figure> &figures, const QString &loop_seconds)
{
    // "NAME LONGEST_MS CPU_IN_IT_MS GAPS_OF_20_MS" by name.
    const auto values = [](const QStringList &lines) {
        QMap<QString, QStringList> found;
        for (const QString &line : lines)
            found.insert(line.section(' ', 0, 0), line.split(' '));
        return found;
    };
    const auto ours = values(run_child({"--stall-child", "window", loop_seconds}, "stallloop"));
    const auto bare = values(run_child({"--stall-child", "bare", loop_seconds}, "stallloop"));
    const auto value = [](const QMap<QString, QStringList> &found, const char *name, int at) {
        return found.value(name).value(at).toDouble();
    };
    figures << Figure{"longest stall, 120,000 replies over serial (anchor: bare QTextEdit)",
                      value(ours, "stallflood", 1), value(bare, "stallflood", 1), "ms", "< 50 ms"}
            << Figure{"longest stall, 1 MB without FF in one serial write (anchor: bare)",
                      value(ours, "stallffless", 1), value(bare, "stallffless", 1), "ms", "< 50 ms"}
            << Figure{"longest stall, 10 ms loop at the line limit, " + loop_seconds +
                          " s (anchor: bare)",
                      value(ours, "stallloop", 1), value(bare, "stallloop", 1), "ms", "< 50 ms"}
            << Figure{"  GUI thread's CPU in that stall (anchor: bare)",
                      value(ours, "stallloop", 2), value(bare, "stallloop", 2), "ms",
                      "(the rest: the machine ran others)"}
            << Figure{"  gaps of 20 ms or more in that loop (anchor: bare)",
                      value(ours, "stallloop", 3), value(bare, "stallloop", 3), "", "-"};
}

void listening(QList<Figure> &figures)
{
    QMap<QString, QStringList> found;
    for (const char *part : {"paced", "dropped", "reading", "floods"}) {
        // "paced LINK PRESS RELEASE", "flood LINK ...": named by two words;
        // "dropped MS", "reading BYTES": by one.
        for (const QString &line : run_child({"--listening-child", part}, "done")) {
            const bool per_link = line.startsWith("paced ") || line.startsWith("flood ");
            found.insert(line.section(' ', 0, per_link ? 1 : 0), line.split(' '));
        }
    }
    const auto value = [&](const QString &key, int at) {
        return found.value(key).value(at).toDouble();
    };
    for (const char *link : {"tcp", "serial"}) {
        const QString loop = QString("paced %1-loop").arg(link);
        const QString plain = QString("paced %1").arg(link);
        const QString where = QString(link) == "tcp" ? "tcp, 2 ms a message" : "serial, 9600 baud";
        figures << Figure{QString("press-to-camera beside a 0 ms loop, %1 (anchor: no loop)")
                              .arg(where),
                          value(loop, 2), value(plain, 2), "ms", "<= 1.5x"}
                << Figure{QString("release-to-camera beside a 0 ms loop, %1").arg(where),
                          value(loop, 3), value(plain, 3), "ms", "<= 1.5x"};
    }
    figures << Figure{"a stop lost over UDP to the one confirmed", value("dropped", 1), 0, "ms",
                      "<= 250 ms"};
    figures << Figure{"memory above idle, a camera that stops reading",
                      value("reading", 1) / 1048576, 0, "MB",
                      "bounded: 64 KB waits, the rest is the log"};
    for (const char *flood : {"udp", "visca-ip", "tcp", "serial"}) {
        const QString key = QString("flood %1").arg(flood);
        figures << Figure{QString("longest stall under a %1 flood of replies").arg(flood),
                          value(key, 2), 0, "ms", "-"}
                << Figure{"  the window thread's own CPU in it", value(key, 3), 0, "ms",
                          "<= 16 ms, one frame"};
    }
}

void print(const QList<Figure> &figures)
{
    // Small figures (kB, ms) need two decimals to be read at all.
    const auto number = [](double value) {
        return QString::number(value, 'f', value < 10 ? 2 : 1);
    };
    std::printf("\n%-50s %12s %12s %8s  %s\n", "measure", "zarvick", "anchor", "ratio", "goal");
    for (const Figure &figure : figures) {
        const QString unit = figure.unit.left(2);
        const QString anchor = figure.anchor > 0 ? number(figure.anchor) : "-";
        const QString ratio =
            figure.anchor > 0 ? QString::number(figure.value / figure.anchor, 'f', 2) + "x" : "-";
        std::printf("%-50s %9s %-2s %9s %-2s %8s  %s\n", qPrintable(figure.measure),
                    qPrintable(number(figure.value)), qPrintable(unit), qPrintable(anchor),
                    qPrintable(unit), qPrintable(ratio), qPrintable(figure.goal));
    }
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && QByteArray(argv[1]) == "--startup-child")
        return run_startup_child(argc, argv, argv[2]);
    if (argc > 2 && QByteArray(argv[1]) == "--log-child")
        return run_log_child(argc, argv, argv[2]);
    if (argc > 2 && QByteArray(argv[1]) == "--explain-child")
        return run_explain_child(argc, argv, QByteArray(argv[2]) == "on");
    if (argc > 1 && QByteArray(argv[1]) == "--hostile-child")
        return run_hostile_child(argc, argv);
    if (argc > 2 && QByteArray(argv[1]) == "--listening-child")
        return run_listening_child(argc, argv, argv[2]);
    if (argc > 3 && QByteArray(argv[1]) == "--stall-child")
        return run_stall_child(argc, argv, argv[2], QByteArray(argv[3]).toInt());

    QApplication application(argc, argv);
    if (QStyle *style = QStyleFactory::create("fusion"))
        QApplication::setStyle(style);
    const QStringList arguments = QCoreApplication::arguments();
    const int plot_at = arguments.indexOf("--plot-data");
    const QString plot_data = plot_at > 0 ? arguments.value(plot_at + 1) : QString();

    const int only_at = arguments.indexOf("--only");
    const QString only = only_at > 0 ? arguments.value(only_at + 1) : QString();
    const auto wanted = [&](const char *section) { return only.isEmpty() || only == section; };
    const int loop_at = arguments.indexOf("--loop-seconds");
    const QString loop_seconds = loop_at > 0 ? arguments.value(loop_at + 1) : "30";

    QList<Figure> figures;
    if (wanted("latency"))
        press_latency(figures);
    if (wanted("serial"))
        serial_receive(figures);
    if (wanted("loop"))
        loop_ticks(figures);
    if (wanted("startup"))
        startup(figures);
    if (wanted("log"))
        log_cost(figures, plot_data);
    if (wanted("explain"))
        explain_cost(figures);
    if (wanted("hostile"))
        hostile_input(figures);
    if (wanted("stall"))
        stalls(figures, loop_seconds);
    if (wanted("listening"))
        listening(figures);
    if (wanted("lossy")) {
        const int drives_at = arguments.indexOf("--lossy-drives");
        lossy_drives(figures, drives_at > 0 ? arguments.value(drives_at + 1).toInt() : 1000);
    }
    if (wanted("remote"))
        remote_requests(figures);
    if (wanted("page"))
        page_moves(figures);
    if (wanted("tally"))
        switcher_tally(figures);
    if (wanted("monitor"))
        monitor_delay(figures);
    if (wanted("scale")) {
        scale(figures);
        polling(figures);
        polled_presses(figures);
    }
    print(figures);
    return 0;
}
