// The pure pieces of the links: address and port checks, serial settings
// from the combo boxes, hex rendering and FF packet cutting.

#include "links/address_check.h"
#include "links/hex_text.h"
#include "links/serial_settings.h"

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
    void hex_rendering_data();
    void hex_rendering();
    void packet_cutting_data();
    void packet_cutting();
};

void LinkHelpersTest::address_check_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("address") << "192.168.1.88" << true;
    QTest::newRow("loopback") << "127.0.0.1" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("two dots") << "192.168.1" << false;
    QTest::newRow("four dots") << "1.2.3.4.5" << false;
    QTest::newRow("part above 255") << "192.168.1.256" << false;
    QTest::newRow("negative part") << "1.2.3.-4" << false;
    QTest::newRow("lower-case letter") << "1.2.3.x" << false;
    QTest::newRow("hex letter") << "1.2.3.A" << false;
    QTest::newRow("other capital passes") << "1.2.3.G" << true;
    QTest::newRow("empty part passes") << "1..2.3" << true;
}

void LinkHelpersTest::address_check()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(check_ip(text), valid);
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

void LinkHelpersTest::hex_rendering_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("reply") << QByteArray::fromHex("9041ff") << "90 41 FF ";
    QTest::newRow("upper case") << QByteArray::fromHex("ab0a") << "AB 0A ";
    QTest::newRow("zero byte") << QByteArray(1, '\0') << "00 ";
    QTest::newRow("nothing") << QByteArray() << "";
}

void LinkHelpersTest::hex_rendering()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(hex_text(bytes), text);
}

void LinkHelpersTest::packet_cutting_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QStringList>("packets");
    QTest::addColumn<QString>("left");
    using Reads = QList<QByteArray>;
    QTest::newRow("one reply") << Reads{QByteArray::fromHex("9041ff")} << QStringList{"90 41 FF "}
                               << "";
    QTest::newRow("two replies in one read") << Reads{QByteArray::fromHex("9041ff9051ff")}
                                             << QStringList{"90 41 FF ", "90 51 FF "} << "";
    QTest::newRow("split over reads")
        << Reads{QByteArray::fromHex("9041"), QByteArray::fromHex("ff")} << QStringList{"90 41 FF "}
        << "";
    QTest::newRow("no FF yet") << Reads{QByteArray::fromHex("4142")} << QStringList{} << "41 42 ";
    QTest::newRow("tail kept") << Reads{QByteArray::fromHex("9051ff90")} << QStringList{"90 51 FF "}
                               << "90 ";
}

void LinkHelpersTest::packet_cutting()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QStringList, packets);
    QFETCH(QString, left);
    QString pending;
    QStringList cut;
    for (const QByteArray &read : reads)
        cut += cut_packets(pending, read);
    QCOMPARE(cut, packets);
    QCOMPARE(pending, left);
}

QTEST_APPLESS_MAIN(LinkHelpersTest)
#include "tst_link_helpers.moc"
