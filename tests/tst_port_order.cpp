#include "links/port_order.h"

#include <QtTest>
#include <algorithm>

class PortOrderTest : public QObject
{
    Q_OBJECT
private slots:
    void pairs_data();
    void pairs();
    void sorts_a_device_list();
    void is_a_strict_weak_order();
};

void PortOrderTest::pairs_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("less");
    QTest::newRow("2 before 10") << "ttyS2"
                                 << "ttyS10" << true;
    QTest::newRow("10 after 2") << "ttyS10"
                                << "ttyS2" << false;
    QTest::newRow("same name") << "ttyUSB0"
                               << "ttyUSB0" << false;
    QTest::newRow("letters first") << "ttyACM9"
                                   << "ttyS0" << true;
    QTest::newRow("prefix first") << "ttyS"
                                  << "ttyS0" << true;
    QTest::newRow("leading zero equal value") << "ttyS01"
                                              << "ttyS1" << true;
    QTest::newRow("numbers beyond int") << "ttyS99999999999999999998"
                                        << "ttyS99999999999999999999" << true;
    QTest::newRow("second run decides") << "ttyX1p10"
                                        << "ttyX1p9" << false;
}

void PortOrderTest::pairs()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, less);
    QCOMPARE(natural_less(a, b), less);
}

void PortOrderTest::sorts_a_device_list()
{
    QStringList ports = {"ttyUSB10", "ttyS10", "ttyUSB2", "ttyS2", "ttyACM0", "ttyS0"};
    std::sort(ports.begin(), ports.end(), natural_less);
    QCOMPARE(ports, QStringList({"ttyACM0", "ttyS0", "ttyS2", "ttyS10", "ttyUSB2", "ttyUSB10"}));
}

void PortOrderTest::is_a_strict_weak_order()
{
    // std::sort needs it: names with other scripts' digits once broke it.
    const QStringList names = {QString::fromUtf8("٣"),
                               QString::fromUtf8("0٣0"),
                               "a",
                               "0",
                               "00",
                               QString::fromUtf8("٣0"),
                               "a1",
                               "a01",
                               "1a",
                               "ttyS2",
                               "ttyS02",
                               QString::fromUtf8("ttyS٢"),
                               ""};
    for (const QString &x : names) {
        QVERIFY(!natural_less(x, x));
        for (const QString &y : names) {
            if (natural_less(x, y))
                QVERIFY2(!natural_less(y, x), qPrintable(x + " / " + y));
            for (const QString &z : names) {
                if (natural_less(x, y) && natural_less(y, z))
                    QVERIFY2(natural_less(x, z), qPrintable(x + " / " + y + " / " + z));
                const bool xy = !natural_less(x, y) && !natural_less(y, x);
                const bool yz = !natural_less(y, z) && !natural_less(z, y);
                if (xy && yz)
                    QVERIFY(!natural_less(x, z) && !natural_less(z, x));
            }
        }
    }
}

QTEST_APPLESS_MAIN(PortOrderTest)
#include "tst_port_order.moc"
