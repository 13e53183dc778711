// The pure pieces of the links: address and port checks, serial settings
// from the combo boxes, the waits between tries to open a lost link.

#include "control/reconnect.h"
#include "links/address_check.h"
#include "links/serial_settings.h"
#include "visca/port_text.h"

#include <QtTest>

class LinkHelpersTest : public QObject
{
    Q_OBJECT
private slots:
    void address_check_data();
    void address_check();
    void port_field_data();
    void port_field();
    void serial_choices();
    void reconnect_waits_data();
    void reconnect_waits();
};

void LinkHelpersTest::address_check_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    // The camera's address must also be IPv4 as it stands: no name lookup.
    QTest::addColumn<bool>("camera");
    QTest::newRow("address") << "192.168.1.88" << true << true;
    QTest::newRow("loopback") << "127.0.0.1" << true << true;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("two dots") << "192.168.1" << false << false;
    QTest::newRow("four dots") << "1.2.3.4.5" << false << false;
    QTest::newRow("part above 255") << "192.168.1.256" << false << false;
    QTest::newRow("negative part") << "1.2.3.-4" << false << false;
    QTest::newRow("lower-case letter") << "1.2.3.x" << false << false;
    QTest::newRow("hex letter") << "1.2.3.A" << false << false;
    QTest::newRow("other capital passes the dots") << "1.2.3.G" << true << false;
    QTest::newRow("empty part passes the dots") << "127..0.1" << true << false;
}

void LinkHelpersTest::address_check()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(bool, camera);
    QCOMPARE(check_ip(text), valid);
    QHostAddress address;
    QCOMPARE(parse_camera_address(text, &address), camera);
    if (camera)
        QCOMPARE(address.toString(), text);
}

void LinkHelpersTest::port_field_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("port");
    QTest::newRow("tcp default") << "5678" << true << 5678;
    QTest::newRow("lowest") << "1" << true << 1;
    QTest::newRow("highest") << "65535" << true << 65535;
    QTest::newRow("zero") << "0" << false << 0;
    QTest::newRow("past 16 bits") << "70000" << false << 0;
    QTest::newRow("negative") << "-1" << false << 0;
    QTest::newRow("letters") << "12ab" << false << 0;
    QTest::newRow("blank") << " " << false << 0;
}

void LinkHelpersTest::port_field()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, port);
    quint16 parsed = 0;
    QCOMPARE(parse_port(text, &parsed), valid);
    if (valid)
        QCOMPARE(int(parsed), port);
}

void LinkHelpersTest::serial_choices()
{
    const QList<QSerialPort::Parity> parities = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                 QSerialPort::EvenParity};
    const QList<QSerialPort::StopBits> stops = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                QSerialPort::TwoStop};
    for (int index = 0; index < 3; ++index) {
        QSerialPort::Parity parity;
        QSerialPort::StopBits stop;
        QVERIFY(parity_for_index(index, &parity));
        QVERIFY(stop_bits_for_index(index, &stop));
        QCOMPARE(parity, parities[index]);
        QCOMPARE(stop, stops[index]);
    }
    QSerialPort::Parity parity;
    QSerialPort::StopBits stop;
    QVERIFY(!parity_for_index(-1, &parity));
    QVERIFY(!stop_bits_for_index(3, &stop));

    QSerialPort::DataBits bits;
    QVERIFY(data_bits_for_text("7", &bits));
    QCOMPARE(bits, QSerialPort::Data7);
    QVERIFY(!data_bits_for_text("9", &bits));
    QVERIFY(!data_bits_for_text("", &bits));
}

void LinkHelpersTest::reconnect_waits_data()
{
    QTest::addColumn<int>("failed");
    QTest::addColumn<int>("wait_ms");
    // Within a second of the loss, then doubling, at most ten seconds.
    for (const auto &[failed, wait] :
         {std::pair{0, 1000}, {1, 2000}, {2, 4000}, {3, 8000}, {4, 10000}, {5, 10000}, {40, 10000}})
        QTest::addRow("after %d failed", failed) << failed << wait;
}

void LinkHelpersTest::reconnect_waits()
{
    QFETCH(int, failed);
    QFETCH(int, wait_ms);
    QCOMPARE(Reconnect::wait_ms(failed), wait_ms);
}

QTEST_APPLESS_MAIN(LinkHelpersTest)
#include "tst_link_helpers.moc"
