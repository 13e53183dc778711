// The simulated camera as a server on the network: it must hold against
// clients that half-close, never read, or use up its descriptors.

#include "camera_server.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/command_text.h"

#include <QFile>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A plain client socket: Qt's sockets cannot half-close.
int connect_to(quint16 port, int receive_buffer = 0)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (receive_buffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Everything the server sends until it closes, or until time is up.
QByteArray read_to_end(int fd, int timeout_ms)
{
    QByteArray all;
    char buffer[4096];
    pollfd waiting{fd, POLLIN, 0};
    while (::poll(&waiting, 1, timeout_ms) > 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        all.append(buffer, int(got));
    }
    return all;
}

double cpu_seconds(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = stat.readAll().split(')').value(1).split(' ');
    // utime and stime, fields 14 and 15 of the whole line.
    return (fields.value(12).toDouble() + fields.value(13).toDouble()) / sysconf(_SC_CLK_TCK);
}
} // namespace

class SimServerTest : public QObject
{
    Q_OBJECT
private slots:
    void chain_of_three_data();
    void chain_of_three();
    void answers_a_client_that_half_closes();
    void closes_a_client_that_never_reads();
    void visca_over_ip_header_data();
    void visca_over_ip_header();
    void pauses_accepting_when_out_of_descriptors_data();
    void pauses_accepting_when_out_of_descriptors();
    void answers_one_message_per_raw_datagram();
    void loses_the_share_of_datagrams_asked_for();
    void stays_bounded_under_spoofed_resets_and_cleared_moves();
};

void SimServerTest::visca_over_ip_header_data()
{
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("replies");
    QTest::newRow("command") << QStringList{"01 00 00 05 00 00 00 05 81 01 06 04 FF"}
                             << QStringList{"01 11 00 03 00 00 00 05 90 41 FF",
                                            "01 11 00 03 00 00 00 05 90 51 FF"};
    QTest::newRow("inquiry") << QStringList{"01 10 00 05 00 00 00 07 81 09 04 00 FF"}
                             << QStringList{"01 11 00 04 00 00 00 07 90 50 02 FF"};
    QTest::newRow("reset") << QStringList{"02 00 00 01 00 00 00 09 01"}
                           << QStringList{"02 01 00 01 00 00 00 09 01"};
    QTest::newRow("old sequence number")
        << QStringList{"01 10 00 05 00 00 00 07 81 09 04 00 FF",
                       "01 10 00 05 00 00 00 06 81 09 04 00 FF"}
        << QStringList{"01 11 00 04 00 00 00 07 90 50 02 FF", "02 01 00 02 00 00 00 06 0F 01"};
    QTest::newRow("any number after a reset")
        << QStringList{"01 10 00 05 00 00 00 07 81 09 04 00 FF", "02 00 00 01 00 00 00 00 01",
                       "01 10 00 05 00 00 00 00 81 09 04 00 FF"}
        << QStringList{"01 11 00 04 00 00 00 07 90 50 02 FF", "02 01 00 01 00 00 00 00 01",
                       "01 11 00 04 00 00 00 00 90 50 02 FF"};
    QTest::newRow("length disagrees") << QStringList{"01 00 00 09 00 00 00 01 81 01 06 04 FF"}
                                      << QStringList{"02 01 00 02 00 00 00 00 0F 02"};
    QTest::newRow("unknown payload type") << QStringList{"01 30 00 05 00 00 00 03 81 01 06 04 FF"}
                                          << QStringList{"02 01 00 02 00 00 00 03 0F 02"};
}

// Raw VISCA in, the same answer out, each behind its header.
void SimServerTest::visca_over_ip_header()
{
    QFETCH(QStringList, sent);
    QFETCH(QStringList, replies);
    SimProcess camera;
    QVERIFY(camera.started());
    QUdpSocket controller;
    for (const QString &datagram : sent)
        controller.writeDatagram(hex(qPrintable(datagram)), QHostAddress::LocalHost,
                                 camera.visca_ip());
    QStringList got;
    while (got.size() < replies.size() && controller.waitForReadyRead(2000)) {
        while (controller.hasPendingDatagrams())
            got << spaced_hex(controller.receiveDatagram().data());
    }
    QCOMPARE(got, replies);
}

void SimServerTest::chain_of_three_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("answer");
    QTest::newRow("address set counts the chain") << "88 30 01 FF"
                                                  << "88 30 04 FF";
    QTest::newRow("interface clear passes through") << "88 01 00 01 FF"
                                                    << "88 01 00 01 FF";
    QTest::newRow("camera 2 answers as A0") << "82 09 00 02 FF"
                                            << "A0 50 00 20 00 5A 01 00 02 FF";
    QTest::newRow("camera 3 answers as B0") << "83 09 04 00 FF"
                                            << "B0 50 02 FF";
    QTest::newRow("camera 3 refuses as B0") << "83 01 7F FF"
                                            << "B0 60 02 FF";
    QTest::newRow("no camera 4 on the line") << "84 09 04 00 FF"
                                             << "";
}

void SimServerTest::chain_of_three()
{
    QFETCH(QString, message);
    QFETCH(QString, answer);
    SimProcess chain({"--chain", "3"});
    QVERIFY(chain.started());
    QCOMPARE(spaced_hex(chain.inquire(hex(qPrintable(message)))), answer);
}

void SimServerTest::answers_a_client_that_half_closes()
{
    SimProcess camera;
    QVERIFY(camera.started());
    const int fd = connect_to(camera.tcp());
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "\x81\x01\x06\x04\xFF", 5), ssize_t(5));
    ::shutdown(fd, SHUT_WR);
    QCOMPARE(read_to_end(fd, 2000), hex("90 41 FF 90 51 FF"));
    ::close(fd);
}

void SimServerTest::closes_a_client_that_never_reads()
{
    SimProcess camera({"--quiet"});
    QVERIFY(camera.started());
    const int fd = connect_to(camera.tcp(), 4096);
    QVERIFY(fd >= 0);
    // Home commands by the thousand, and not one reply read.
    QByteArray commands;
    for (int i = 0; i < 4096; ++i)
        commands += hex("81 01 06 04 FF");
    pollfd writable{fd, POLLOUT, 0};
    bool closed = false;
    for (int round = 0; round < 2000 && !closed; ++round) {
        // A camera starved by a busy machine leaves the socket full for a
        // while: only an error or a hang-up says it closed.
        const int ready = ::poll(&writable, 1, 2000);
        if (ready > 0 && (writable.revents & (POLLERR | POLLHUP)) != 0)
            closed = true;
        else if (ready > 0 &&
                 ::send(fd, commands.constData(), size_t(commands.size()), MSG_NOSIGNAL) < 0)
            closed = true;
        closed = closed || camera.wait_for("does not read its replies", 0);
    }
    QVERIFY(camera.wait_for("does not read its replies; closing", 20000));
    ::close(fd);
    // It goes on serving others.
    QTRY_COMPARE_WITH_TIMEOUT(camera.inquire(hex("81 09 04 00 FF")).left(2), hex("90 50"), 20000);
}

void SimServerTest::pauses_accepting_when_out_of_descriptors_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("clients");
    // Within what the listening socket's queue (50) holds beside those taken.
    QTest::newRow("24 descriptors, 40 clients") << 24 << 40;
    QTest::newRow("48 descriptors, 60 clients") << 48 << 60;
    QTest::newRow("64 descriptors, 80 clients") << 64 << 80;
}

void SimServerTest::pauses_accepting_when_out_of_descriptors()
{
    QFETCH(int, limit);
    QFETCH(int, clients);
    // The camera starts with few descriptors: its own files and sockets, and
    // room for some controllers.
    rlimit old_limit{};
    ::getrlimit(RLIMIT_NOFILE, &old_limit);
    rlimit low = old_limit;
    low.rlim_cur = rlim_t(limit);
    ::setrlimit(RLIMIT_NOFILE, &low);
    SimProcess camera;
    ::setrlimit(RLIMIT_NOFILE, &old_limit);
    QVERIFY(camera.started());

    QList<int> connected;
    for (int i = 0; i < clients; ++i)
        connected << connect_to(camera.tcp());
    QVERIFY(camera.wait_for("paused until a descriptor frees", 10000));
    const double before = cpu_seconds(camera.pid());
    QTest::qWait(500);
    const double used = cpu_seconds(camera.pid()) - before;
    QVERIFY2(used < 0.1, qPrintable(QString("%1 s of CPU while out of descriptors").arg(used)));
    int said = 0;
    for (const QString &line : camera.lines())
        said += line.contains("paused until a descriptor frees");
    QCOMPARE(said, 1);

    // Closed, those still queued are accepted and let go one batch at a
    // time before a new controller's turn: on a busy machine that may take
    // longer than one inquiry waits.
    for (int fd : connected)
        ::close(fd);
    QTRY_COMPARE_WITH_TIMEOUT(camera.inquire(hex("81 09 04 00 FF")).left(2), hex("90 50"), 20000);
}

void SimServerTest::answers_one_message_per_raw_datagram()
{
    // Answering each would make the camera an amplifier for a forged sender.
    SimProcess camera;
    QVERIFY(camera.started());
    QUdpSocket controller;
    controller.writeDatagram(hex("81 09 04 00 FF 81 09 04 00 FF 81 09 04 00 FF"),
                             QHostAddress::LocalHost, camera.udp());
    QVERIFY(controller.waitForReadyRead(2000));
    QCOMPARE(controller.receiveDatagram().data(), hex("90 50 02 FF"));
    QVERIFY(camera.wait_for("power"));
    QVERIFY(!controller.waitForReadyRead(200));
}

void SimServerTest::loses_the_share_of_datagrams_asked_for()
{
    SimProcess camera({"--loss", "50", "--seed", "7"});
    QVERIFY(camera.started());
    QUdpSocket controller;
    const int sent = 200;
    for (int i = 0; i < sent; ++i)
        controller.writeDatagram(hex("81 09 04 00 FF"), QHostAddress::LocalHost, camera.udp());
    QVERIFY(wait_until(
        [&] {
            const QStringList lines = camera.lines();
            return lines.filter("power").size() + lines.filter("datagram lost").size() == sent;
        },
        10000));
    const int lost = camera.lines().filter("udp: datagram lost").size();
    QVERIFY2(lost > 50 && lost < 150, qPrintable(QString("%1 of %2 lost").arg(lost).arg(sent)));
}

void SimServerTest::stays_bounded_under_spoofed_resets_and_cleared_moves()
{
    SimOptions options;
    options.tcp_port = options.udp_port = options.visca_ip_port = 0;
    options.quiet = true;
    options.camera.completion_ms = 60000; // every command holds its socket a minute
    CameraServer camera(options);
    QString error;
    QVERIFY2(camera.start(&error), qPrintable(error));
    // Replies go to an address where nothing of any test listens.
    const QHostAddress nowhere("127.254.0.1");
    for (quint16 port = 1; port <= 6000; ++port)
        camera.take_visca_ip(hex("02 00 00 01 00 00 00 00 01"), nowhere, port);
    QVERIFY2(camera.controllers_known() <= 4096,
             qPrintable(QString::number(camera.controllers_known())));

    // Moves that a clear or a cancel ends leave no completion behind.
    quint32 sequence = 0;
    const auto send = [&](const char *visca) {
        const QByteArray payload = hex(visca);
        QByteArray datagram = hex("01 00 00 00") + QByteArray(4, '\0') + payload;
        datagram[3] = char(payload.size());
        for (int i = 0; i < 4; ++i)
            datagram[4 + i] = char(sequence >> (24 - 8 * i));
        ++sequence;
        camera.take_visca_ip(datagram, nowhere, 1);
    };
    for (int cycle = 0; cycle < 500; ++cycle) {
        send("81 01 06 04 FF");
        send("81 01 06 04 FF");
        QVERIFY(camera.completions_waiting() <= 2);
        send(cycle % 2 ? "81 01 00 01 FF" : "81 21 FF");
        send("81 22 FF");
    }
    QCOMPARE(camera.completions_waiting(), 0);
}

QTEST_MAIN(SimServerTest)
#include "tst_sim_server.moc"
