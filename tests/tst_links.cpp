// The three links on their own, without a window, against real peers: what
// they deliver, what they refuse, and when they report themselves lost.

#include "links/serial_link.h"
#include "links/tcp_link.h"
#include "links/udp_link.h"
#include "testsupport.h"
#include "visca/packet_cutter.h"
#include "visca/visca_over_ip.h"

#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>
#include <numeric>

class LinksTest : public QObject
{
    Q_OBJECT
private slots:
    void serial_cuts_replies_and_reports_a_lost_device();
    void tcp_sends_at_once_and_reports_a_dropped_connection();
    void udp_fixes_its_camera_and_hears_only_it();
    void a_camera_that_stops_reading_data();
    void a_camera_that_stops_reading();
    void visca_over_ip_takes_only_replies_to_what_it_sent();
    void visca_over_ip_goes_by_the_numbers();
    void udp_reads_large_datagrams_a_slice_a_turn();
    void a_pty_still_locked_is_not_handed_out();
};

void LinksTest::serial_cuts_replies_and_reports_a_lost_device()
{
    PtyPeer pty;
    SerialLink link;
    SerialSettings settings;
    settings.port = pty.path();
    QVERIFY2(link.open(settings), qPrintable(link.errorText()));
    QVERIFY(link.send(hex("81 01 06 04 FF")));
    QCOMPARE(pty.read(5), hex("81 01 06 04 FF"));

    QSignalSpy received(&link, &Link::received);
    QSignalSpy lost(&link, &Link::lost);
    pty.write(hex("90 41 FF 90 51"));
    pty.write(hex("FF"));
    QList<QByteArray> packets;
    QVERIFY(wait_until([&] {
        for (; !received.isEmpty(); received.removeFirst())
            packets += received.first()[0].value<QList<QByteArray>>();
        return packets.size() == 2;
    }));
    QCOMPARE(packets, QList<QByteArray>({hex("90 41 FF"), hex("90 51 FF")}));

    pty.hang_up();
    QVERIFY(wait_until([&] { return lost.count() == 1; }));
    QVERIFY(!link.isOpen());
    QVERIFY(!link.send(hex("81 01 06 04 FF")));
    QVERIFY(!link.errorText().isEmpty());
}

void LinksTest::tcp_sends_at_once_and_reports_a_dropped_connection()
{
    TcpPeer camera;
    TcpLink link;
    QSignalSpy opened(&link, &TcpLink::opened);
    link.open(QHostAddress::LocalHost, camera.port(), 3000);
    QVERIFY(!link.isOpen());
    QVERIFY(opened.wait());
    QVERIFY(link.isOpen());
    QVERIFY(link.send(hex("81 01 06 04 FF")));
    QCOMPARE(camera.read(5), hex("81 01 06 04 FF"));
    QSignalSpy received(&link, &Link::received);
    QSignalSpy lost(&link, &Link::lost);
    camera.write(hex("90 41 FF 90 51 FF"));
    QVERIFY(wait_until([&] { return received.count() == 1; }));
    // One entry a read: TCP has no packets of its own.
    QCOMPARE(received[0][0].value<QList<QByteArray>>(),
             QList<QByteArray>({hex("90 41 FF 90 51 FF")}));
    camera.drop();
    QVERIFY(wait_until([&] { return lost.count() == 1; }));
    QVERIFY(!link.isOpen());
}

void LinksTest::udp_fixes_its_camera_and_hears_only_it()
{
    UdpPeer camera;
    UdpLink link;
    link.open(QHostAddress::LocalHost, camera.port());
    QVERIFY(link.send(hex("81 01 06 04 FF")));
    QCOMPARE(camera.read(1), QList<QByteArray>({hex("81 01 06 04 FF")}));

    QSignalSpy received(&link, &Link::received);
    QUdpSocket stranger;
    QVERIFY(stranger.bind(QHostAddress("127.0.0.2"), 0));
    stranger.writeDatagram(hex("90 60 02 FF"), QHostAddress::LocalHost, camera.window_port());
    // Another port of the camera's own host is no more the camera.
    QUdpSocket neighbour;
    QVERIFY(neighbour.bind(QHostAddress(QHostAddress::LocalHost), 0));
    neighbour.writeDatagram(hex("90 51 FF"), QHostAddress::LocalHost, camera.window_port());
    camera.reply(hex("90 41 FF"));
    QVERIFY(wait_until([&] { return received.count() == 1; }));
    QTest::qWait(50);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received[0][0].value<QList<QByteArray>>(), QList<QByteArray>({hex("90 41 FF")}));
}

void LinksTest::a_camera_that_stops_reading_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("tcp") << "tcp";
    QTest::newRow("serial") << "serial";
}

// What waits is bounded, a full transmit buffer is no lost device, a
// message goes whole, and a stop goes ahead of the console's backlog.
void LinksTest::a_camera_that_stops_reading()
{
    QFETCH(QString, link);
    SlowReader tcp_camera;
    PtyPeer pty;
    TcpLink tcp;
    SerialLink serial;
    Link *under_test = &serial;
    if (link == "tcp") {
        QSignalSpy opened(&tcp, &TcpLink::opened);
        tcp.open(QHostAddress::LocalHost, tcp_camera.port, 3000);
        QVERIFY(opened.wait());
        under_test = &tcp;
    } else {
        SerialSettings settings;
        settings.port = pty.path();
        QVERIFY(serial.open(settings));
    }
    QSignalSpy lost(under_test, &Link::lost);
    const QByteArray command = hex("81 01 06 02 18 14 00 00 00 00 00 00 00 00 00 FF");
    int taken = 0;
    while (taken < 100000 && under_test->send(command))
        ++taken;
    QVERIFY2(taken > 100 && taken < 100000, qPrintable(QString::number(taken)));
    QCOMPARE(under_test->errorText(), QString("the camera is not reading"));
    QVERIFY(under_test->backlog_full());
    QVERIFY(under_test->unsent() <= Link::backlog_limit + command.size());
    const QByteArray stop = hex("81 01 06 01 03 03 03 03 FF");
    QVERIFY(under_test->send(stop, Link::Lane::Camera));

    QByteArray arrived = link == "tcp" ? tcp_camera.read_all(500) : QByteArray();
    if (link == "serial") {
        for (QByteArray more; !(more = pty.drain(300)).isEmpty();)
            arrived += more;
    }
    PacketCutter cutter;
    const QList<QByteArray> messages = cutter.feed(arrived);
    QCOMPARE(cutter.pending_size(), 0);
    QCOMPARE(messages.size(), taken + 1);
    QCOMPARE(messages.count(command), taken);
    QVERIFY2(messages.indexOf(stop) < taken - 100, "the stop waited behind the console's backlog");
    QCOMPARE(lost.count(), 0);
    QVERIFY(under_test->isOpen());
    QVERIFY(!under_test->backlog_full());
    QVERIFY(under_test->send(command));
}

void LinksTest::visca_over_ip_takes_only_replies_to_what_it_sent()
{
    namespace ip = visca_over_ip;
    // VISCA over IP's own port, on a loopback address of this test's.
    std::unique_ptr<UdpPeer> camera;
    QHostAddress address;
    for (const QString &spare : spare_loopback_addresses()) {
        address = QHostAddress(spare);
        camera = std::make_unique<UdpPeer>(address, 52381);
        if (camera->bound())
            break;
    }
    QVERIFY(camera && camera->bound());
    UdpLink link;
    QSignalSpy received(&link, &Link::received);
    link.open(address, 52381, true);
    QCOMPARE(camera->read(1).size(), 1); // the RESET
    QVERIFY(link.send(hex("81 01 06 04 FF")));
    QCOMPARE(camera->read(1), QList<QByteArray>({ip::pack(ip::command, 1, hex("81 01 06 04 FF"))}));
    // Numbers never sent are no replies.
    camera->reply(ip::pack(ip::reply, 0xFFFFFFFF, hex("90 41 FF")));
    camera->reply(ip::pack(ip::reply, 12345, hex("90 41 FF")));
    camera->reply(ip::pack(ip::reply, 1, hex("90 41 FF")));
    camera->reply(ip::pack(ip::reply, 1, hex("90 51 FF")));
    // Answered in full: a repeat of the completion is not taken again.
    camera->reply(ip::pack(ip::reply, 1, hex("90 51 FF")));
    QVERIFY(wait_until([&] { return received.count() >= 1; }));
    QList<QByteArray> replies;
    QVERIFY(wait_until([&] {
        for (; !received.isEmpty(); received.removeFirst())
            replies += received.first()[0].value<QList<QByteArray>>();
        return replies.size() >= 2;
    }));
    QCOMPARE(replies, QList<QByteArray>({hex("90 41 FF"), hex("90 51 FF")}));

    // The camera lost count: the link counts afresh and sends once more.
    QVERIFY(link.send(hex("81 01 04 07 00 FF")));
    QCOMPARE(camera->read(1),
             QList<QByteArray>({ip::pack(ip::command, 2, hex("81 01 04 07 00 FF"))}));
    camera->reply(ip::pack(ip::control_reply, 2, ip::sequence_error));
    QCOMPARE(camera->read(2),
             QList<QByteArray>({ip::pack(ip::control, 0, ip::reset_payload),
                                ip::pack(ip::command, 1, hex("81 01 04 07 00 FF"))}));
    camera->reply(ip::pack(ip::control_reply, 1, ip::sequence_error));
    QCOMPARE(camera->read(1, 300), QList<QByteArray>()); // once only
    // A message the camera calls abnormal is shown as its reply.
    QVERIFY(link.send(hex("81 01 04 07 00 FF")));
    QCOMPARE(camera->read(1).size(), 1);
    camera->reply(ip::pack(ip::control_reply, 2, ip::message_error));
    replies.clear();
    QVERIFY(wait_until([&] {
        for (; !received.isEmpty(); received.removeFirst())
            replies += received.first()[0].value<QList<QByteArray>>();
        return !replies.isEmpty();
    }));
    QCOMPARE(replies, QList<QByteArray>({ip::message_error}));
}

void LinksTest::visca_over_ip_goes_by_the_numbers()
{
    namespace ip = visca_over_ip;
    // Numbered on a port of the system's: the kind is the link's, not the port's.
    UdpPeer camera;
    UdpLink link;
    QList<QByteArray> replies;
    connect(&link, &Link::received, this,
            [&replies](const QList<QByteArray> &taken) { replies += taken; });
    link.open(QHostAddress(QHostAddress::LocalHost), camera.port(), true);
    QCOMPARE(camera.read(1).size(), 1); // the RESET
    QVERIFY(link.send(hex("81 01 06 01 0F 0F 03 01 FF")));
    QCOMPARE(camera.read(1).size(), 1);
    camera.reply(ip::pack(ip::reply, 1, hex("90 41 FF")));
    QVERIFY(wait_until([&] { return replies.size() == 1; }));
    QVERIFY(link.send(hex("81 01 06 01 03 03 03 03 FF")));
    QCOMPARE(camera.read(1).size(), 1);
    // The drive's ACK again answers nothing (not the stop), nor does a
    // sequence error about the drive, which the camera took.
    camera.reply(ip::pack(ip::reply, 1, hex("90 41 FF")));
    camera.reply(ip::pack(ip::control_reply, 1, ip::sequence_error));
    // About the stop, the newest: counted afresh, the stop once more.
    camera.reply(ip::pack(ip::control_reply, 2, ip::sequence_error));
    QCOMPARE(camera.read(2),
             QList<QByteArray>({ip::pack(ip::control, 0, ip::reset_payload),
                                ip::pack(ip::command, 1, hex("81 01 06 01 03 03 03 03 FF"))}));
    QCOMPARE(replies, QList<QByteArray>({hex("90 41 FF")}));
    // About a drive a stop followed: counted afresh, and no drive after it.
    QVERIFY(link.send(hex("81 01 06 01 0F 0F 03 01 FF")));
    QVERIFY(link.send(hex("81 01 06 01 03 03 03 03 FF")));
    QCOMPARE(camera.read(2).size(), 2);
    camera.reply(ip::pack(ip::control_reply, 2, ip::sequence_error));
    QCOMPARE(camera.read(2, 500), QList<QByteArray>({ip::pack(ip::control, 0, ip::reset_payload)}));
}

void LinksTest::udp_reads_large_datagrams_a_slice_a_turn()
{
    // What one turn hands on is bounded in bytes, however large the
    // datagrams: three larger than a slice, waiting together, come in
    // three turns.
    UdpPeer camera;
    UdpLink link;
    QSignalSpy received(&link, &Link::received);
    link.open(QHostAddress(QHostAddress::LocalHost), camera.port());
    QVERIFY(link.send(hex("81 01 06 04 FF")));
    QCOMPARE(camera.read(1).size(), 1);
    for (int datagram = 0; datagram < 3; ++datagram)
        camera.reply(QByteArray(int(Link::read_slice) + 1000, '\x90'));
    QList<int> handed;
    QVERIFY(wait_until([&] {
        for (; !received.isEmpty(); received.removeFirst())
            handed << received.first()[0].value<QList<QByteArray>>().size();
        return std::accumulate(handed.cbegin(), handed.cend(), 0) == 3;
    }));
    QCOMPARE(handed, QList<int>({1, 1, 1}));
}

void LinksTest::a_pty_still_locked_is_not_handed_out()
{
    // Another test's serial port, closed a moment ago, may still hold the
    // lock of the number openpty gives next (the lowest free one): opening
    // it failed "Permission error while locking the device" in a stress
    // run. The lock here is a dead process's, which nobody else minds.
    QString freed;
    {
        PtyPeer first;
        freed = first.path();
    }
    QProcess gone;
    gone.start("true", QStringList());
    QVERIFY(gone.waitForStarted());
    const qint64 dead = gone.processId();
    QVERIFY(gone.waitForFinished());
    QFile lock("/tmp/LCK.." + freed.mid(5).replace('/', '_'));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(dead) + "\ngone\n\n");
    lock.close();
    const PtyPeer next;
    lock.remove();
    QVERIFY(next.path() != freed);
}

QTEST_MAIN(LinksTest)
#include "tst_links.moc"
