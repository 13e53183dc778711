// The switchers' tally as read from their bytes: TSL UMD 3.1 and 5.0 (with
// 5.0's framing on TCP) and vMix's TALLY lines.

#include "tally/obs_session.h"
#include "tally/switcher_readers.h"

#include <QtTest>

using switcher::Lamp;
using visca::Tally;

namespace {
// A TSL 3.1 message: address, control byte, the text padded to 16.
QByteArray tsl31_message(int address, int control, const QByteArray &text = "CAM")
{
    return QByteArray(1, char(0x80 + address)) + char(control) + text.leftJustified(16, ' ', true);
}

// A TSL 5.0 display message and a packet of them.
QByteArray tsl5_display(int index, int control, const QByteArray &text = "CAM")
{
    QByteArray bytes;
    for (const int value : {index, control, int(text.size())})
        bytes += char(value & 0xFF) + QByteArray(1, char(value >> 8));
    return bytes + text;
}

QByteArray tsl5_packet(const QByteArray &displays, int flags = 0)
{
    const int count = 4 + displays.size();
    return QByteArray(1, char(count & 0xFF)) + char(count >> 8) + char(0) + char(flags) +
           QByteArray("\xff\xff", 2) + displays;
}

// Framed for TCP: DLE STX, every FE twice.
QByteArray stuffed(const QByteArray &packet)
{
    return QByteArray("\xfe\x02", 2) +
           QByteArray(packet).replace("\xfe", QByteArray("\xfe\xfe", 2));
}
} // namespace

Q_DECLARE_METATYPE(QList<Lamp>)

class SwitcherTest : public QObject
{
    Q_OBJECT
private slots:
    void tsl31_data();
    void tsl31();
    void tsl31_stream_split_anywhere();
    void tsl5_data();
    void tsl5();
    void tsl5_stream_split_anywhere();
    void vmix_data();
    void vmix();
    void vmix_bounds();
    void obs_leaves_a_key_named_twice_unread();
};

void SwitcherTest::tsl31_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("preview");
    QTest::addColumn<QList<Lamp>>("lamps");
    QTest::newRow("program") << tsl31_message(3, 0x31) << 1 << 2
                             << QList<Lamp>{{3, Tally::program}};
    QTest::newRow("preview") << tsl31_message(0, 0x32) << 1 << 2
                             << QList<Lamp>{{0, Tally::preview}};
    QTest::newRow("both: program wins")
        << tsl31_message(126, 0x33) << 1 << 2 << QList<Lamp>{{126, Tally::program}};
    QTest::newRow("off, tally 3 only")
        << tsl31_message(5, 0x04) << 1 << 2 << QList<Lamp>{{5, Tally::off}};
    QTest::newRow("tallies chosen")
        << tsl31_message(5, 0x04) << 3 << 4 << QList<Lamp>{{5, Tally::program}};
    QTest::newRow("two in one datagram") << tsl31_message(1, 1) + tsl31_message(2, 2) << 1 << 2
                                         << QList<Lamp>{{1, Tally::program}, {2, Tally::preview}};
    QTest::newRow("noise, then a message") << QByteArray("zz\x01", 3) + tsl31_message(4, 1) << 1
                                           << 2 << QList<Lamp>{{4, Tally::program}};
    QTest::newRow("cut short, a header inside: read from there")
        << tsl31_message(7, 1).left(9) + tsl31_message(8, 2) << 1 << 2
        << QList<Lamp>{{8, Tally::preview}};
    QTest::newRow("control with its top bits set")
        << tsl31_message(9, 0x41) << 1 << 2 << QList<Lamp>{};
    QTest::newRow("FF is no address")
        << QByteArray(1, char(0xFF)) + tsl31_message(2, 1).mid(1) << 1 << 2 << QList<Lamp>{};
    QTest::newRow("short") << tsl31_message(2, 1).left(17) << 1 << 2 << QList<Lamp>{};
}

void SwitcherTest::tsl31()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, program);
    QFETCH(int, preview);
    QFETCH(QList<Lamp>, lamps);
    QCOMPARE(switcher::Tsl31Reader(program, preview).feed(bytes), lamps);
}

void SwitcherTest::tsl31_stream_split_anywhere()
{
    const QByteArray stream = tsl31_message(1, 1) + tsl31_message(2, 2) + tsl31_message(3, 0);
    const QList<Lamp> all{{1, Tally::program}, {2, Tally::preview}, {3, Tally::off}};
    for (int cut = 0; cut <= stream.size(); ++cut) {
        switcher::Tsl31Reader reader;
        QList<Lamp> found = reader.feed(stream.left(cut));
        found += reader.feed(stream.mid(cut));
        QCOMPARE(found, all);
    }
}

void SwitcherTest::tsl5_data()
{
    QTest::addColumn<QByteArray>("packet");
    QTest::addColumn<QList<Lamp>>("lamps");
    // Right-hand tally in bits 0-1, text 2-3, left-hand 4-5: 1 red, 2 green.
    QTest::newRow("red right") << tsl5_packet(tsl5_display(1, 0x01))
                               << QList<Lamp>{{1, Tally::program}};
    QTest::newRow("green left") << tsl5_packet(tsl5_display(300, 0x20))
                                << QList<Lamp>{{300, Tally::preview}};
    QTest::newRow("green text, red left: program")
        << tsl5_packet(tsl5_display(2, 0x18)) << QList<Lamp>{{2, Tally::program}};
    QTest::newRow("amber is neither")
        << tsl5_packet(tsl5_display(2, 0x03)) << QList<Lamp>{{2, Tally::off}};
    QTest::newRow("several, every index left out")
        << tsl5_packet(tsl5_display(1, 0x01) + tsl5_display(0xFFFF, 0x01) +
                       tsl5_display(4, 0x02, ""))
        << QList<Lamp>{{1, Tally::program}, {4, Tally::preview}};
    QTest::newRow("control data, not text")
        << tsl5_packet(tsl5_display(1, 0x8001)) << QList<Lamp>{};
    QTest::newRow("screen control packet")
        << tsl5_packet(tsl5_display(1, 0x01), 0x02) << QList<Lamp>{};
    QTest::newRow("count past the end")
        << tsl5_packet(tsl5_display(1, 0x01)).left(10) << QList<Lamp>{};
    QTest::newRow("text past the count")
        << tsl5_packet(tsl5_display(1, 0x01)).replace(10, 1, "\x40") << QList<Lamp>{};
}

void SwitcherTest::tsl5()
{
    QFETCH(QByteArray, packet);
    QFETCH(QList<Lamp>, lamps);
    QCOMPARE(switcher::read_tsl5_packet(packet), lamps);
}

void SwitcherTest::tsl5_stream_split_anywhere()
{
    // FE in the index and in the text is sent twice; noise before the first
    // DLE STX is passed over.
    const QByteArray first = tsl5_packet(tsl5_display(0xFE, 0x01, "\xfe\xfe"));
    const QByteArray second = tsl5_packet(tsl5_display(0x01FE, 0x02));
    const QByteArray stream = QByteArray("\x01\xfe\x05", 3) + stuffed(first) + stuffed(second);
    for (int cut = 0; cut <= stream.size(); ++cut) {
        switcher::Tsl5StreamReader reader;
        QList<QByteArray> found = reader.feed(stream.left(cut));
        found += reader.feed(stream.mid(cut));
        QCOMPARE(found, QList<QByteArray>({first, second}));
    }
    QCOMPARE(switcher::read_tsl5_packet(first), QList<Lamp>({{0xFE, Tally::program}}));
}

void SwitcherTest::vmix_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QList<Lamp>>("lamps");
    QTest::newRow("inputs") << QByteArray("TALLY OK 0120\r\n") << true
                            << QList<Lamp>{{1, Tally::off},
                                           {2, Tally::program},
                                           {3, Tally::preview},
                                           {4, Tally::off}};
    QTest::newRow("subscribed, then the tally")
        << QByteArray("SUBSCRIBE OK TALLY\r\nTALLY OK 1\r\n") << true
        << QList<Lamp>{{1, Tally::program}};
    QTest::newRow("the last of two")
        << QByteArray("TALLY OK 1\r\nTALLY OK 2\r\n") << true << QList<Lamp>{{1, Tally::preview}};
    QTest::newRow("no inputs") << QByteArray("TALLY OK \r\n") << true << QList<Lamp>{};
    QTest::newRow("not a digit") << QByteArray("TALLY OK 013\r\n") << false << QList<Lamp>{};
    QTest::newRow("not finished") << QByteArray("TALLY OK 01") << false << QList<Lamp>{};
    QTest::newRow("an error") << QByteArray("TALLY ER\r\n") << false << QList<Lamp>{};
}

void SwitcherTest::vmix()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    QFETCH(QList<Lamp>, lamps);
    const std::optional<QList<Lamp>> found = switcher::VmixReader().feed(bytes);
    QCOMPARE(found.has_value(), read);
    if (read)
        QCOMPARE(*found, lamps);
}

void SwitcherTest::vmix_bounds()
{
    // A line longer than vMix sends is dropped whole; the next reads.
    switcher::VmixReader reader;
    QVERIFY(!reader.feed("TALLY OK " + QByteArray(switcher::VmixReader::longest_line, '1')));
    QVERIFY(!reader.feed("1\r\n"));
    QCOMPARE(reader.feed("TALLY OK 2\r\n").value(), QList<Lamp>({{1, Tally::preview}}));
    QVERIFY(!switcher::read_vmix_line("TALLY OK " +
                                      QByteArray(switcher::VmixReader::most_inputs + 1, '0')));
}

void SwitcherTest::obs_leaves_a_key_named_twice_unread()
{
    // Qt's parser would keep the first value for good; an escaped key
    // could spell the same key twice.
    ObsSession session;
    for (const char *twice : {"{\"op\":2,\"d\":{},\"d\":{}}",
                              "{\"op\":2,\"d\":{\"x\":[],\"x\":{}}}", "{\"op\":2,\"\\u0064\":{}}"})
        QVERIFY2(session.take(twice).send.isEmpty(), twice);
    // The same key in two objects, or in a string, is no repeat.
    QCOMPARE(session.take("{\"op\":2,\"d\":{\"op\":\"\\\"d\\\": 1\"}}").send.size(), 2);
}

QTEST_MAIN(SwitcherTest)
#include "tst_switcher.moc"
