// The three links on their own, without a window, against real peers: what
// they deliver, what they refuse, and when they report themselves lost.

#include "links/serial_link.h"
#include "links/tcp_link.h"
#include "links/udp_link.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

class LinksTest : public QObject
{
    Q_OBJECT
private slots:
    void serial_cuts_replies_and_reports_a_lost_device();
    void tcp_sends_at_once_and_reports_a_dropped_connection();
    void udp_fixes_its_camera_and_hears_only_it();
};

void LinksTest::serial_cuts_replies_and_reports_a_lost_device()
{
    PtyPeer pty;
    SerialLink link;
    SerialSettings settings;
    settings.port = pty.path();
    QVERIFY(link.open(settings));
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
    camera.reply(hex("90 41 FF"));
    QVERIFY(wait_until([&] { return received.count() == 1; }));
    QTest::qWait(50);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received[0][0].value<QList<QByteArray>>(), QList<QByteArray>({hex("90 41 FF")}));
}

QTEST_MAIN(LinksTest)
#include "tst_links.moc"
