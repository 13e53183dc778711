// The monitor between a controller in the test and the simulated camera:
// every kind of pair passes the controller's bytes to the camera and the
// camera's back, exactly, with the lines telling what each meant; several
// controllers on one pair, a controller that goes, a serial chain.

#include "app/mainwindow.h"
#include "monitor/endpoint.h"
#include "monitor/exchange.h"
#include "monitor/monitor.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/command_text.h"
#include "visca/explainer.h"
#include "visca/visca_over_ip.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>
#include <random>

#include <fcntl.h>
#include <unistd.h>

using monitor::Kind;
Q_DECLARE_METATYPE(monitor::Kind)

namespace {
QByteArray bytes_of(const QString &text)
{
    bool ok = false;
    return command_bytes(text, &ok);
}

QString joined(const QList<QByteArray> &units)
{
    QStringList texts;
    for (const QByteArray &unit : units)
        texts << spaced_hex(unit);
    return texts.join(" / ");
}

// Runs the event loop until `condition` holds, waking for every event
// (a timer makes sure it wakes at all); false when time is up.
bool settle(const std::function<bool()> &condition, int timeout_ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(20);
    while (!condition()) {
        if (clock.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// What the simulated camera heard and sent, in hex, as it printed them.
class SimBytes
{
public:
    explicit SimBytes(SimProcess &camera) : sim(camera) {}
    void update()
    {
        const QStringList lines = sim.lines();
        for (; seen < lines.size(); ++seen) {
            const QString &line = lines.at(seen);
            const int heard_at = line.indexOf(": heard ");
            const int sent_at = line.indexOf(": sent ");
            if (heard_at > 0)
                heard << line.mid(heard_at + 8);
            else if (sent_at > 0) {
                sent << line.mid(sent_at + 7);
                sent_bytes += (sent.last().size() + 1) / 3;
            }
        }
    }
    QStringList heard;
    QStringList sent;
    int sent_bytes = 0;

private:
    SimProcess &sim;
    int seen = 0;
};

// The test's controller, on whichever kind the pair listens: datagrams to
// the pair's port, a TCP connection, or the far end of a pseudo-terminal.
class TestController
{
public:
    TestController(Kind kind, quint16 port, PtyPeer *pty = nullptr) : link(kind), line(pty)
    {
        if (kind == Kind::tcp) {
            stream.connectToHost(QHostAddress::LocalHost, port);
            stream.setSocketOption(QAbstractSocket::LowDelayOption, 1);
            stream.waitForConnected(2000);
        } else if (kind == Kind::serial) {
            ::fcntl(line->master_fd(), F_SETFL, ::fcntl(line->master_fd(), F_GETFL) | O_NONBLOCK);
            notifier = std::make_unique<QSocketNotifier>(line->master_fd(), QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { take(); });
        } else {
            datagrams.bind(QHostAddress(QHostAddress::LocalHost), 0);
            QObject::connect(&datagrams, &QUdpSocket::readyRead, [this] { take(); });
        }
        QObject::connect(&stream, &QTcpSocket::readyRead, [this] { take(); });
        to = port;
    }
    void send(const QByteArray &unit)
    {
        if (link == Kind::tcp)
            stream.write(unit);
        else if (link == Kind::serial)
            line->write(unit);
        else
            datagrams.writeDatagram(unit, QHostAddress::LocalHost, to);
    }
    // Everything received, as hex: datagrams one text each, a stream's
    // bytes as one.
    QStringList received() const
    {
        if (monitor::is_stream(link))
            return got_stream.isEmpty() ? QStringList() : QStringList{spaced_hex(got_stream)};
        QStringList texts;
        for (const QByteArray &datagram : got_datagrams)
            texts << spaced_hex(datagram);
        return texts;
    }
    int received_bytes() const { return received_count; }
    QUdpSocket datagrams;
    QTcpSocket stream;

private:
    void take()
    {
        if (link == Kind::tcp) {
            const QByteArray bytes = stream.readAll();
            got_stream += bytes;
            received_count += bytes.size();
        } else if (link == Kind::serial) {
            char buffer[4096];
            ssize_t got = 0;
            while ((got = ::read(line->master_fd(), buffer, sizeof buffer)) > 0) {
                got_stream.append(buffer, int(got));
                received_count += int(got);
            }
        } else {
            while (datagrams.hasPendingDatagrams()) {
                QByteArray datagram(int(datagrams.pendingDatagramSize()), '\0');
                datagrams.readDatagram(datagram.data(), datagram.size());
                got_datagrams << datagram;
                received_count += datagram.size();
            }
        }
    }
    Kind link;
    PtyPeer *line;
    quint16 to = 0;
    std::unique_ptr<QSocketNotifier> notifier;
    QByteArray got_stream;
    QList<QByteArray> got_datagrams;
    int received_count = 0;
};

monitor::Endpoint network(Kind kind, quint16 port)
{
    monitor::Endpoint endpoint;
    endpoint.kind = kind;
    endpoint.address = "127.0.0.1";
    endpoint.port = port;
    return endpoint;
}

monitor::Endpoint serial(const QString &device)
{
    monitor::Endpoint endpoint;
    endpoint.kind = Kind::serial;
    endpoint.device = device;
    return endpoint;
}

// The camera's end for a pair of `kind` on `sim`.
monitor::Endpoint camera_end(Kind kind, SimProcess &sim)
{
    switch (kind) {
    case Kind::udp: return network(kind, sim.udp());
    case Kind::visca_ip: return network(kind, sim.visca_ip());
    case Kind::tcp: return network(kind, sim.tcp());
    case Kind::serial: break;
    }
    return serial(sim.serial());
}

// Messages the simulated camera answers at once, whatever came before:
// inquiries and commands that end as soon as they start.
const QStringList quick_messages = {"81 09 04 00 FF",    "81 09 04 47 FF",    "81 01 04 00 02 FF",
                                    "81 01 04 38 02 FF", "81 01 04 07 00 FF", "81 09 06 12 FF"};

QStringList texts_of(const QList<monitor::Line> &lines)
{
    QStringList texts;
    for (const monitor::Line &line : lines)
        texts << monitor::line_text(line);
    return texts;
}
} // namespace

class MonitorTest : public QObject
{
    Q_OBJECT

private slots:
    void endpoints_data();
    void endpoints();
    void framing_data();
    void framing();
    void answered_data();
    void answered();
    void capture_reads_back();
    void passes_through_data();
    void passes_through();
    void translated_data();
    void translated();
    void two_udp_controllers();
    void sequence_error_passes();
    void tcp_controller_drops();
    void stalled_camera_dropped();
    void serial_chain_of_three();
    void terminal();
    void window_tab();
};

void MonitorTest::endpoints_data()
{
    QTest::addColumn<QString>("text");
    // What it reads as, written back, or the start of the reason it does
    // not read.
    QTest::addColumn<QString>("read");
    QTest::newRow("udp") << "udp:127.0.0.1:1259=udp:127.0.0.1:1260"
                         << "udp:127.0.0.1:1259=udp:127.0.0.1:1260";
    QTest::newRow("visca-ip to serial") << " visca-ip:127.0.0.1:52381=serial:/dev/ttyUSB0 "
                                        << "visca-ip:127.0.0.1:52381=serial:/dev/ttyUSB0@9600";
    QTest::newRow("tcp over IPv6, serial baud") << "tcp:[::1]:5678=serial:/dev/pts/3@38400"
                                                << "tcp:[::1]:5678=serial:/dev/pts/3@38400";
    QTest::newRow("no address") << "udp:1259=udp:127.0.0.1:1"
                                << "where to listen: an address and a port are needed";
    QTest::newRow("host name") << "udp:127.0.0.1:1=tcp:camera.local:5678"
                               << "the camera: \"camera.local\" is not an IP address";
    QTest::newRow("port range") << "tcp:127.0.0.1:70000=tcp:127.0.0.1:1"
                                << "where to listen: the port is not";
    QTest::newRow("no device") << "udp:127.0.0.1:1=serial:@9600"
                               << "the camera: no serial device";
    QTest::newRow("baud") << "udp:127.0.0.1:1=serial:/dev/ttyS0@fast"
                          << "the camera: the baud rate";
    QTest::newRow("kind") << "http:127.0.0.1:80=udp:127.0.0.1:1"
                          << "where to listen: \"http:127.0.0.1:80\" does not start";
    QTest::newRow("no target") << "udp:127.0.0.1:1"
                               << "a pair is written LISTEN=TARGET";
    QTest::newRow("itself") << "udp:127.0.0.1:1=udp:127.0.0.1:1"
                            << "the pair would listen where its camera is";
}

void MonitorTest::endpoints()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    QString why;
    const std::optional<monitor::PairSpec> pair = monitor::read_pair(text, &why);
    QCOMPARE(pair ? monitor::pair_text(*pair) : why.left(read.size()), read);
}

void MonitorTest::framing_data()
{
    QTest::addColumn<Kind>("listen");
    QTest::addColumn<Kind>("target");
    QTest::addColumn<QString>("from_controller");
    QTest::addColumn<QString>("to_camera");
    // What the monitor answers itself, at once.
    QTest::addColumn<QString>("answered");
    QTest::addColumn<QString>("from_camera");
    QTest::addColumn<QString>("to_controller");
    QTest::newRow("udp, as it is") << Kind::udp << Kind::udp << "81 01 06 04 FF"
                                   << "81 01 06 04 FF"
                                   << ""
                                   << "90 41 FF"
                                   << "90 41 FF";
    QTest::newRow("VISCA over IP to serial: header off, and on with the command's number")
        << Kind::visca_ip << Kind::serial << "01 00 00 05 00 00 00 07 81 01 06 04 FF"
        << "81 01 06 04 FF"
        << ""
        << "90 41 FF"
        << "01 11 00 03 00 00 00 07 90 41 FF";
    QTest::newRow("VISCA over IP to TCP: the monitor answers the reset")
        << Kind::visca_ip << Kind::tcp << "02 00 00 01 00 00 00 09 01"
        << ""
        << "02 01 00 01 00 00 00 09 01"
        << "90 38 FF"
        << "01 11 00 03 00 00 00 09 90 38 FF";
    QTest::newRow("VISCA over IP to UDP: an unreadable datagram")
        << Kind::visca_ip << Kind::udp << "81 01 06 04 FF"
        << ""
        << "02 01 00 02 00 00 00 00 0F 02"
        << ""
        << "";
    QTest::newRow("udp to VISCA over IP: numbered by the monitor, after a reset")
        << Kind::udp << Kind::visca_ip << "81 09 04 00 FF"
        << "02 00 00 01 00 00 00 00 01 / 01 10 00 05 00 00 00 01 81 09 04 00 FF"
        << ""
        << "01 11 00 04 00 00 00 01 90 50 02 FF"
        << "90 50 02 FF";
    QTest::newRow("serial to VISCA over IP: the camera's control reply taken")
        << Kind::serial << Kind::visca_ip << "81 01 06 04 FF"
        << "02 00 00 01 00 00 00 00 01 / 01 00 00 05 00 00 00 01 81 01 06 04 FF"
        << ""
        << "02 01 00 01 00 00 00 00 01"
        << "";
    QTest::newRow("TCP both sides: as it is") << Kind::tcp << Kind::tcp << "81 01 06 04 FF"
                                              << "81 01 06 04 FF"
                                              << ""
                                              << "90 38 FF"
                                              << "90 38 FF";
    QTest::newRow("VISCA over IP both sides: control messages as they are")
        << Kind::visca_ip << Kind::visca_ip << "02 00 00 01 00 00 00 03 01"
        << "02 00 00 01 00 00 00 03 01"
        << ""
        << "02 01 00 02 00 00 00 03 0F 01"
        << "02 01 00 02 00 00 00 03 0F 01";
}

void MonitorTest::framing()
{
    QFETCH(Kind, listen);
    QFETCH(Kind, target);
    QFETCH(QString, from_controller);
    QFETCH(QString, to_camera);
    QFETCH(QString, answered);
    QFETCH(QString, from_camera);
    QFETCH(QString, to_controller);
    monitor::Exchange exchange(listen, target);
    const monitor::Out sent = exchange.from_controller(3, bytes_of(from_controller), 0);
    QCOMPARE(joined(sent.to_camera), to_camera);
    QCOMPARE(joined(sent.to_controller), answered);
    if (from_camera.isEmpty())
        return;
    // A serial camera's message goes to whoever spoke to camera 1 last.
    const monitor::Out back =
        exchange.from_camera(target == Kind::serial ? -1 : 3, bytes_of(from_camera), 12);
    QCOMPARE(joined(back.to_controller), to_controller);
    QCOMPARE(back.controller, 3);
    // On its own connection a network camera may speak first: that
    // controller's, passed as it came.
    if (target == Kind::serial || listen != target)
        return;
    monitor::Exchange fresh(listen, target);
    const monitor::Out first = fresh.from_camera(5, bytes_of(from_camera), 0);
    QCOMPARE(first.controller, 5);
    QCOMPARE(joined(first.to_controller), from_camera);
}

void MonitorTest::answered_data()
{
    // Messages sent, then replies: what each reply answers ("-" none).
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("replies");
    QTest::addColumn<QString>("answers");
    QTest::newRow("ACK, an inquiry between, completion by socket")
        << "81 01 06 04 FF / 81 09 04 00 FF / 82 09 04 00 FF"
        << "90 41 FF / A0 50 02 FF / 90 50 02 FF / 90 51 FF"
        << "81 01 06 04 FF / 82 09 04 00 FF / 81 09 04 00 FF / 81 01 06 04 FF";
    QTest::newRow("two sockets, completed out of order")
        << "81 01 06 04 FF / 81 01 04 07 02 FF"
        << "90 41 FF / 90 42 FF / 90 52 FF / 90 51 FF"
        << "81 01 06 04 FF / 81 01 04 07 02 FF / 81 01 04 07 02 FF / 81 01 06 04 FF";
    QTest::newRow("broadcast, error, and nobody's") << "88 30 01 FF / 81 01 06 01 FF"
                                                    << "88 30 04 FF / 90 60 02 FF / 90 38 FF"
                                                    << "88 30 01 FF / 81 01 06 01 FF / -";
}

void MonitorTest::answered()
{
    QFETCH(QString, sent);
    QFETCH(QString, replies);
    QFETCH(QString, answers);
    QList<monitor::Waiting> waiting;
    for (const QString &message : sent.split(" / ")) {
        const QByteArray bytes = bytes_of(message);
        waiting << monitor::Waiting{bytes, 0, 0, monitor::camera_of(bytes), 0};
    }
    QStringList found;
    for (const QString &reply : replies.split(" / ")) {
        const auto asked = monitor::take_answered(&waiting, bytes_of(reply), std::nullopt);
        found << (asked ? spaced_hex(asked->message) : "-");
    }
    QCOMPARE(found.join(" / "), answers);
}

void MonitorTest::capture_reads_back()
{
    // A saved line is explained by its bytes; a note has none.
    monitor::Event event;
    event.direction = monitor::Event::Direction::to_camera;
    event.bytes = bytes_of("81 01 06 04 FF");
    const monitor::Line line = monitor::line_of(event, 2, "127.0.0.1:5000", QDateTime());
    QCOMPARE(monitor::line_text(line).section(' ', 1),
             "#2 127.0.0.1:5000 → camera | 81 01 06 04 FF | pan-tilt home");
    QStringList explained;
    QVERIFY(explain(monitor::line_text(line), &explained));
    QCOMPARE(explained, QStringList{"81 01 06 04 FF  pan-tilt home, to camera 1"});
    monitor::Event note;
    note.note = "controller connected";
    explained.clear();
    QVERIFY(explain(monitor::line_text(monitor::line_of(note, 1, "x", QDateTime())), &explained));
    QVERIFY(explained.isEmpty());
}

void MonitorTest::passes_through_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("udp") << Kind::udp;
    QTest::newRow("visca-ip") << Kind::visca_ip;
    QTest::newRow("tcp") << Kind::tcp;
    QTest::newRow("serial") << Kind::serial;
}

// 10,000 messages in bursts of random size, the event loop let run a
// random while between them: the camera hears exactly the controller's
// bytes, and the controller gets exactly the camera's.
void MonitorTest::passes_through()
{
    QFETCH(Kind, kind);
    SimProcess sim({"--quiet", "--show-bytes", "--serial"});
    QVERIFY(sim.started());
    SimBytes at_camera(sim);
    PtyPeer pty;
    const quint16 port = kind == Kind::serial ? 0 : free_loopback_port(kind == Kind::tcp);
    monitor::Monitor watch;
    QVERIFY(watch.add(
        {kind == Kind::serial ? serial(pty.path()) : network(kind, port), camera_end(kind, sim)}));
    int lines = 0;
    connect(&watch, &monitor::Monitor::line, this, [&lines] { ++lines; });
    QString why;
    QVERIFY2(watch.start(&why), qPrintable(why));
    TestController controller(kind, port, &pty);

    std::mt19937 draw(7);
    constexpr int total = 10000;
    QStringList sent;
    quint32 number = 0;
    while (sent.size() < total) {
        const int burst = 1 + int(draw() % 32);
        for (int i = 0; i < burst && sent.size() < total; ++i) {
            QByteArray message = bytes_of(quick_messages.at(int(draw() % quick_messages.size())));
            if (kind == Kind::visca_ip)
                message = visca_over_ip::pack(visca_over_ip::type_of(message), ++number, message);
            controller.send(message);
            sent << spaced_hex(message);
            for (int turns = int(draw() % 3); turns > 0; --turns)
                QCoreApplication::processEvents();
        }
        // Each burst answered before the next: no socket buffer overflows.
        QVERIFY(settle([&] {
            at_camera.update();
            return at_camera.heard.size() == sent.size() &&
                   controller.received_bytes() == at_camera.sent_bytes;
        }));
    }
    QCOMPARE(at_camera.heard, sent);
    if (monitor::is_stream(kind))
        QCOMPARE(controller.received(), QStringList{at_camera.sent.join(' ')});
    else
        QCOMPARE(controller.received(), at_camera.sent);
    QVERIFY(lines >= total + at_camera.sent.size());
    // Every message counted once under its command.
    int counted = 0;
    for (const auto &row : watch.stats().rows())
        counted += row.count;
    QCOMPARE(counted, total);
}

void MonitorTest::translated_data()
{
    QTest::addColumn<Kind>("listen");
    QTest::addColumn<Kind>("target");
    QTest::newRow("VISCA over IP to serial") << Kind::visca_ip << Kind::serial;
    QTest::newRow("udp to VISCA over IP") << Kind::udp << Kind::visca_ip;
}

// Between kinds the VISCA messages pass unchanged both ways; a VISCA over
// IP controller's replies carry the numbers of the messages they answer,
// a VISCA over IP camera's are numbered by the monitor, after a reset.
void MonitorTest::translated()
{
    QFETCH(Kind, listen);
    QFETCH(Kind, target);
    namespace ip = visca_over_ip;
    SimProcess sim({"--quiet", "--show-bytes", "--serial"});
    QVERIFY(sim.started());
    SimBytes at_camera(sim);
    const quint16 port = free_loopback_port(false);
    monitor::Monitor watch;
    QVERIFY(watch.add({network(listen, port), camera_end(target, sim)}));
    QString why;
    QVERIFY(watch.start(&why));
    TestController controller(listen, port);
    std::mt19937 draw(11);
    QStringList heard;
    QStringList answered;
    for (quint32 number = 1; number <= 100; ++number) {
        const QByteArray message = bytes_of(quick_messages.at(int(draw() % quick_messages.size())));
        const int replies = message.at(1) == 0x09 ? 1 : 2;
        const int before = controller.received().size();
        controller.send(listen == Kind::visca_ip ? ip::pack(ip::type_of(message), number, message)
                                                 : message);
        heard << (target == Kind::visca_ip
                      ? spaced_hex(ip::pack(ip::type_of(message), number, message))
                      : spaced_hex(message));
        QVERIFY(settle([&] { return controller.received().size() == before + replies; }));
        for (int reply = before; reply < before + replies; ++reply) {
            const QByteArray got = bytes_of(controller.received().at(reply));
            if (listen != Kind::visca_ip) {
                answered << spaced_hex(got);
                continue;
            }
            const auto unpacked = ip::unpack(got);
            QVERIFY(unpacked);
            QCOMPARE(unpacked->sequence, number);
            QCOMPARE(unpacked->type, quint16(ip::reply));
            answered << spaced_hex(unpacked->payload);
        }
    }
    at_camera.update();
    QStringList camera_sent = at_camera.sent;
    if (target == Kind::visca_ip) {
        // The reset the monitor began with, and its answer, which it kept.
        QCOMPARE(at_camera.heard.takeFirst(), QString("02 00 00 01 00 00 00 00 01"));
        QCOMPARE(camera_sent.takeFirst(), QString("02 01 00 01 00 00 00 00 01"));
        for (QString &sent : camera_sent)
            sent = spaced_hex(ip::unpack(bytes_of(sent))->payload);
    }
    QCOMPARE(at_camera.heard, heard);
    QCOMPARE(answered, camera_sent);
}

void MonitorTest::two_udp_controllers()
{
    SimProcess sim({"--quiet"});
    QVERIFY(sim.started());
    const quint16 port = free_loopback_port(false);
    monitor::Monitor watch;
    QVERIFY(watch.add({network(Kind::udp, port), network(Kind::udp, sim.udp())}));
    QList<monitor::Line> lines;
    connect(&watch, &monitor::Monitor::line, this,
            [&lines](const monitor::Line &line) { lines << line; });
    QString why;
    QVERIFY(watch.start(&why));
    TestController first(Kind::udp, port);
    TestController second(Kind::udp, port);
    // Asked at once, each gets its own answer.
    for (int i = 0; i < 20; ++i) {
        first.send(bytes_of("81 09 04 00 FF"));
        second.send(bytes_of("81 09 04 47 FF"));
    }
    QVERIFY(
        settle([&] { return first.received().size() == 20 && second.received().size() == 20; }));
    QCOMPARE(first.received(), QStringList(QVector<QString>(20, "90 50 02 FF").toList()));
    QCOMPARE(second.received().filter(QRegularExpression("^90 50 0. 0. 0. 0. FF$")).size(), 20);
    const QString one = QString("127.0.0.1:%1").arg(first.datagrams.localPort());
    const QString two = QString("127.0.0.1:%1").arg(second.datagrams.localPort());
    const QStringList texts = texts_of(lines);
    QVERIFY(texts
                .filter(QRegularExpression("camera → " + one +
                                           " \\| 90 50 02 FF \\| answer to power inquiry"))
                .size() == 20);
    QVERIFY(texts
                .filter(QRegularExpression("camera → " + two +
                                           " \\| 90 50 0. 0. 0. 0. FF \\| answer to zoom position"))
                .size() == 20);
    // Sixteen in all are heard; the seventeenth is refused, once, and
    // gets nothing.
    std::vector<std::unique_ptr<TestController>> more;
    for (int i = 0; i < 15; ++i) {
        more.push_back(std::make_unique<TestController>(Kind::udp, port));
        more.back()->send(bytes_of("81 09 04 00 FF"));
    }
    QVERIFY(settle([&] {
        return std::all_of(more.begin(), more.end() - 1,
                           [](const auto &peer) { return peer->received().size() == 1; });
    }));
    more.back()->send(bytes_of("81 09 04 00 FF"));
    const QString last = QString("127.0.0.1:%1").arg(more.back()->datagrams.localPort());
    QVERIFY(settle([&] {
        return texts_of(lines)
                   .filter(last + ": monitor |  | refused: the pair already has 16")
                   .size() == 1;
    }));
    QVERIFY(more.back()->received().isEmpty());
}

void MonitorTest::sequence_error_passes()
{
    SimProcess sim({"--quiet", "--show-bytes"});
    QVERIFY(sim.started());
    SimBytes at_camera(sim);
    const quint16 port = free_loopback_port(false);
    monitor::Monitor watch;
    QVERIFY(watch.add({network(Kind::visca_ip, port), network(Kind::visca_ip, sim.visca_ip())}));
    QStringList texts;
    connect(&watch, &monitor::Monitor::line, this,
            [&texts](const monitor::Line &line) { texts << monitor::line_text(line); });
    QString why;
    QVERIFY(watch.start(&why));
    TestController controller(Kind::visca_ip, port);
    // Number 5, then 3 again: the camera says so, and so does the monitor.
    controller.send(bytes_of("01 10 00 05 00 00 00 05 81 09 04 00 FF"));
    controller.send(bytes_of("01 10 00 05 00 00 00 03 81 09 04 00 FF"));
    QVERIFY(settle([&] { return controller.received().size() == 2; }));
    QCOMPARE(controller.received(),
             QStringList({"01 11 00 04 00 00 00 05 90 50 02 FF", "02 01 00 02 00 00 00 03 0F 01"}));
    at_camera.update();
    QCOMPARE(at_camera.sent, controller.received());
    QVERIFY(texts.last().endsWith("| 0F 01 | abnormal sequence number 3"));
}

void MonitorTest::tcp_controller_drops()
{
    SimProcess sim;
    QVERIFY(sim.started());
    const quint16 port = free_loopback_port(true);
    monitor::Monitor watch;
    QVERIFY(watch.add({network(Kind::tcp, port), network(Kind::tcp, sim.tcp())}));
    QStringList texts;
    connect(&watch, &monitor::Monitor::line, this,
            [&texts](const monitor::Line &line) { texts << monitor::line_text(line); });
    QString why;
    QVERIFY(watch.start(&why));
    {
        TestController gone(Kind::tcp, port);
        gone.send(bytes_of("81 09 04 00 FF"));
        QVERIFY(settle([&] { return gone.received_bytes() == 4; }));
        gone.stream.abort();
        // Its connection to the camera goes with it.
        QVERIFY(sim.wait_for("disconnected", 10000));
    }
    QVERIFY(
        settle([&] { return !texts.filter("the controller closed its connection").isEmpty(); }));
    // The pair takes the next one as the first.
    TestController next(Kind::tcp, port);
    next.send(bytes_of("81 01 04 00 02 FF"));
    QVERIFY(settle([&] { return next.received_bytes() == 6; }));
    QCOMPARE(next.received(), QStringList{"90 41 FF 90 51 FF"});
}

// A camera that stops reading: once what waits for it passes the bound,
// its controller is dropped with a line that says so.
void MonitorTest::stalled_camera_dropped()
{
    SlowReader camera;
    const quint16 port = free_loopback_port(true);
    monitor::Monitor watch;
    QVERIFY(watch.add({network(Kind::tcp, port), network(Kind::tcp, camera.port)}));
    QStringList notes;
    connect(&watch, &monitor::Monitor::line, this, [&notes](const monitor::Line &line) {
        if (line.noted || line.bytes.isEmpty())
            notes << line.meaning;
    });
    QString why;
    QVERIFY(watch.start(&why));
    TestController controller(Kind::tcp, port);
    const QByteArray stop = bytes_of("81 01 06 01 01 01 03 03 FF");
    QVERIFY(settle(
        [&] {
            if (controller.stream.bytesToWrite() < 65536)
                controller.send(stop.repeated(1000));
            return notes.contains("the camera does not read what is sent: dropped");
        },
        20000));
    QVERIFY(settle([&] { return controller.stream.state() != QAbstractSocket::ConnectedState; }));
}

void MonitorTest::serial_chain_of_three()
{
    SimProcess sim({"--quiet", "--show-bytes", "--serial", "--chain", "3"});
    QVERIFY(sim.started());
    PtyPeer pty;
    monitor::Monitor watch;
    QVERIFY(watch.add({serial(pty.path()), serial(sim.serial())}));
    QStringList texts;
    connect(&watch, &monitor::Monitor::line, this,
            [&texts](const monitor::Line &line) { texts << monitor::line_text(line); });
    QString why;
    QVERIFY(watch.start(&why));
    TestController controller(Kind::serial, 0, &pty);
    // The interface clear and the address set come back through the chain;
    // each camera then answers under its own address.
    const QList<std::pair<QString, QString>> exchanges = {
        {"88 01 00 01 FF", "88 01 00 01 FF"},
        {"88 30 01 FF", "88 30 04 FF"},
        {"81 09 04 00 FF", "90 50 02 FF"},
        {"82 09 04 00 FF", "A0 50 02 FF"},
        {"83 01 04 00 02 FF", "B0 41 FF B0 51 FF"}};
    QString expected;
    for (const auto &[message, reply] : exchanges) {
        controller.send(bytes_of(message));
        expected += (expected.isEmpty() ? "" : " ") + reply;
        QVERIFY(settle([&] { return controller.received() == QStringList{expected}; }, 3000));
    }
    QVERIFY(texts.filter("camera → " + pty.path() + " | 88 30 04 FF | ").size() == 1);
    QVERIFY(texts.filter(" | B0 51 FF | completion of power").size() == 1);
}

// The terminal mode: a line a message on standard output, the table at the
// end, exit code 0; 2 for what it cannot read or open.
void MonitorTest::terminal()
{
    SimProcess sim({"--quiet"});
    QVERIFY(sim.started());
    const quint16 port = free_loopback_port(false);
    QProcess program;
    program.start(
        ZARVICK_PATH,
        {"--monitor", QString("udp:127.0.0.1:%1=udp:127.0.0.1:%2").arg(port).arg(sim.udp())});
    TestController controller(Kind::udp, port);
    // It listens once started: asked again until it answers.
    QByteArray printed;
    QVERIFY2(settle(
                 [&] {
                     if (controller.received().isEmpty())
                         controller.send(bytes_of("81 09 04 00 FF"));
                     printed += program.readAllStandardOutput();
                     return printed.contains("answer to power inquiry, power on");
                 },
                 10000),
             program.readAllStandardError().constData());
    QVERIFY(printed.contains(" → camera | 81 09 04 00 FF | power inquiry\n"));
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
    printed += program.readAllStandardOutput();
    QVERIFY(printed.contains("\ncommand | count | ACK ms median"));
    QVERIFY(printed.contains("\npower inquiry | "));

    for (const QString &pair :
         {QString("udp:1259=udp:127.0.0.1:1"), QString("udp:127.0.0.1:1=serial:/nonexistent")}) {
        QProcess bad;
        bad.start(ZARVICK_PATH, {"--monitor", pair});
        QVERIFY(bad.waitForFinished(5000));
        QCOMPARE(bad.exitCode(), 2);
        QVERIFY(bad.readAllStandardError().startsWith("zarvick: "));
    }
}

// The window's tab: a pair added through its dialog, started, a message
// shown as it passes, the pair kept in config.ini.
void MonitorTest::window_tab()
{
    SimProcess sim({"--quiet"});
    QVERIFY(sim.started());
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\n");
    auto window_owned = std::make_unique<MainWindow>();
    MainWindow &window = *window_owned;
    auto *tabs = control<QTabWidget>(&window, "tabWidget");
    QWidget *tab = control<QWidget>(&window, "monitorTab");
    QCOMPARE(tabs->indexOf(tab), tabs->count() - 1);
    QCOMPARE(tabs->tabText(tabs->count() - 1), QString("Monitor"));
    auto *start = control<QPushButton>(&window, "monitorStartButton");
    QVERIFY(!start->isEnabled());

    click(window, "monitorAddButton");
    auto *dialog = control<QDialog>(&window, "monitorPairDialog");
    QVERIFY(dialog->isVisible());
    const quint16 port = free_loopback_port(false);
    control<QSpinBox>(dialog, "monitorListenPort")->setValue(port);
    control<QComboBox>(dialog, "monitorCameraKind")->setCurrentIndex(0);
    control<QSpinBox>(dialog, "monitorCameraPort")->setValue(sim.udp());
    control<QDialogButtonBox>(dialog, "monitorPairButtons")->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!dialog->isVisible());
    auto *pairs = control<QTableWidget>(&window, "monitorPairsTable");
    QCOMPARE(pairs->rowCount(), 1);
    QCOMPARE(pairs->item(0, 1)->text(), QString("udp:127.0.0.1:%1").arg(sim.udp()));

    click(start);
    QCOMPARE(start->text(), QString("Stop"));
    QCOMPARE(pairs->item(0, 2)->text(), QString("listening"));
    TestController controller(Kind::udp, port);
    controller.send(bytes_of("81 09 04 00 FF"));
    auto *lines = control<QPlainTextEdit>(&window, "monitorLinesView");
    QVERIFY(settle([&] { return lines->toPlainText().contains("answer to power inquiry"); }));
    QVERIFY(lines->toPlainText().contains(" → camera | 81 09 04 00 FF | power inquiry"));
    auto *stats = control<QTableWidget>(&window, "monitorStatsTable");
    QVERIFY(settle([&] { return stats->rowCount() == 1; }));
    QCOMPARE(stats->item(0, 0)->text(), QString("power inquiry"));
    // Only the replies, then only camera 2's (none).
    control<QComboBox>(&window, "monitorDirectionFilter")->setCurrentIndex(2);
    QVERIFY(!lines->toPlainText().contains("→ camera |"));
    QVERIFY(lines->toPlainText().contains("camera →"));
    control<QComboBox>(&window, "monitorAddressFilter")->setCurrentIndex(2);
    QVERIFY(lines->toPlainText().isEmpty());
    QVERIFY(settle([&] { return folder.read("config.ini").contains("[MONITOR]"); }));
    QVERIFY(
        folder.read("config.ini")
            .contains(
                QString("udp:127.0.0.1:%1=udp:127.0.0.1:%2").arg(port).arg(sim.udp()).toUtf8()));
    // The next start shows it again, stopped.
    window_owned.reset();
    MainWindow again;
    auto *kept = control<QTableWidget>(&again, "monitorPairsTable");
    QCOMPARE(kept->rowCount(), 1);
    QCOMPARE(kept->item(0, 0)->text(), QString("udp:127.0.0.1:%1").arg(port));
    QCOMPARE(kept->item(0, 2)->text(), QString("stopped"));
}

QTEST_MAIN(MonitorTest)
#include "tst_monitor.moc"
