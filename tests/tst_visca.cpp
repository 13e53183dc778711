// The VISCA text helpers and the packet cutter shared by the program, the
// simulator and the tests.

#include "control/camera_settings.h"
#include "control/tally_lamp.h"
#include "visca/camera_commands.h"
#include "visca/catalog.h"
#include "visca/command_text.h"
#include "visca/discovery.h"
#include "visca/packet_cutter.h"
#include "visca/positions.h"
#include "visca/replies.h"
#include "visca/visca_over_ip.h"

#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(visca::Tally)
Q_DECLARE_METATYPE(visca::TallyDialect)

class ViscaTest : public QObject
{
    Q_OBJECT
private slots:
    void catalog_entries_build_and_read_back();
    void catalog_reading_data();
    void catalog_reading();
    void conversion_data();
    void conversion();
    void typed_commands_data();
    void typed_commands();
    void chain_size_data();
    void chain_size();
    void tally_bytes_data();
    void tally_bytes();
    void tally_resends();
    void speeds_that_suit_the_shot();
    void version_reading_data();
    void version_reading();
    void position_reading_data();
    void position_reading();
    void absolute_moves_data();
    void absolute_moves();
    void discovery_reply_reading_data();
    void discovery_reply_reading();
    void discovery_reading_survives_garbage();
    void hex_rendering_data();
    void hex_rendering();
    void packet_cutting_data();
    void packet_cutting();
    void cutter_memory_stays_flat();
    void visca_over_ip_data();
    void visca_over_ip();
    void reply_reading_data();
    void reply_reading();
    void reply_reading_survives_garbage();
    void what_a_reply_can_answer_data();
    void what_a_reply_can_answer();
};

void ViscaTest::catalog_entries_build_and_read_back()
{
    namespace catalog = visca::catalog;
    QVERIFY(catalog::entries().size() >= 120);
    for (const catalog::Entry &entry : catalog::entries()) {
        // Each field at its lowest and at its highest: built, read back as
        // the same values; read as whatever matches best, never nothing.
        for (const bool highest : {false, true}) {
            QList<int> values;
            for (const catalog::Field &field : entry.fields)
                values << (highest ? field.highest : field.lowest);
            const int address = entry.pattern.startsWith(QLatin1String("88")) ? 8 : 3;
            const QByteArray message =
                catalog::build(entry, entry.kind == catalog::Kind::reply ? 1 : address, values);
            QVERIFY2(!message.isEmpty() && message.endsWith('\xff'), qPrintable(entry.name));
            const std::optional<catalog::Meaning> read = catalog::read_as(entry, message);
            QVERIFY2(read, qPrintable(entry.name));
            QList<int> read_values;
            for (const catalog::Value &value : read->values)
                read_values << value.value;
            QCOMPARE(read_values, values);
            QVERIFY2(catalog::read(message), qPrintable(entry.name));
        }
        // A value out of range builds nothing.
        if (!entry.fields.isEmpty() && entry.fields.first().highest < 0xFFFF) {
            QList<int> values;
            for (const catalog::Field &field : entry.fields)
                values << field.lowest;
            values[0] = entry.fields.first().highest + 1;
            QVERIFY2(catalog::build(entry, 1, values).isEmpty(), qPrintable(entry.name));
        }
        // Every answer form of an inquiry reads.
        for (const QString &form : entry.answers) {
            catalog::Entry answer = entry;
            answer.pattern = form;
            answer.tokens = visca::catalog::tokens_of(form);
            answer.fields = entry.answer_fields;
            QList<int> values;
            for (const catalog::Field &field : answer.fields)
                values << field.highest;
            QVERIFY2(catalog::read_answer(entry, catalog::build(answer, 1, values)),
                     qPrintable(entry.name));
        }
    }
}

void ViscaTest::catalog_reading_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("meaning");
    const QList<QStringList> rows = {
        {"81 01 04 47 04 00 00 00 FF", "zoom direct, position 4000h (16384)"},
        {"82 01 06 01 05 05 01 01 FF",
         "pan-tilt drive up-left, pan speed 5h (5), tilt speed 5h (5)"},
        // The longer, more specific entry wins: a drive with both ways still.
        {"81 01 06 01 03 03 03 03 FF", "pan-tilt stop, pan speed 3h (3), tilt speed 3h (3)"},
        {"81 01 04 07 25 FF", "zoom tele variable, speed 5h (5)"},
        {"81 01 04 3F 02 0A FF", "memory recall, preset Ah (10)"},
        {"81 01 04 00 03 FF", "power, power standby"},
        {"81 01 06 02 18 14 0F 0F 0C 0E 00 00 01 02 FF",
         "pan-tilt absolute, pan speed 18h (24), tilt speed 14h (20), pan -50, tilt 12h (18)"},
        {"90 60 02 FF", "syntax error, socket 0h (0)"},
        {"90 41 FF", "ACK, socket 1h (1)"},
        {"88 30 01 FF", "address set, first address 1h (1)"},
        {"81 09 06 12 FF", "pan-tilt position inquiry"},
        // Not VISCA as catalogued.
        {"81 01 04 47 04 00 FF", ""},
        {"81 01 06 01 19 05 01 01 FF", ""},
        {"80 01 04 00 02 FF", ""},
    };
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row.at(0))) << row.at(0) << row.at(1);
}

void ViscaTest::catalog_reading()
{
    QFETCH(QString, message);
    QFETCH(QString, meaning);
    const std::optional<visca::catalog::Meaning> read =
        visca::catalog::read(QByteArray::fromHex(message.toLatin1()));
    QCOMPARE(read ? read->text() : QString(), meaning);
}

void ViscaTest::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes"); // empty with "fails" for a text that does not convert
    QTest::addColumn<bool>("fails");
    const auto bytes = [](const char *hex) { return QByteArray::fromHex(hex); };
    QTest::newRow("home") << "81 01 06 04 FF" << bytes("81010604ff") << false;
    QTest::newRow("extra spaces") << "81  01 06 04 FF " << bytes("81010604ff") << false;
    QTest::newRow("lower case") << "ff" << bytes("ff") << false;
    QTest::newRow("0x prefix") << "0x81" << bytes("81") << false;
    QTest::newRow("plus sign") << "+FC" << bytes("fc") << false;
    QTest::newRow("empty text") << "" << QByteArray() << false;
    QTest::newRow("bad piece") << "81 01 04 07 2G FF" << QByteArray() << true;
    QTest::newRow("unfilled placeholder") << "81 01 06 01 HK VN 03 01 FF" << QByteArray() << true;
    // A value that is no byte is not cut to its low byte.
    QTest::newRow("three digits") << "81 1FF 06 04 FF" << QByteArray() << true;
    QTest::newRow("100") << "100" << QByteArray() << true;
    QTest::newRow("negative") << "-FC" << QByteArray() << true;
    QTest::newRow("past an int") << "81 FFFFFFFFFF FF" << QByteArray() << true;
    QTest::newRow("tab inside a piece") << "81\t01" << QByteArray() << true;
    QTest::newRow("full-width digits") << QString::fromUtf8("８１ FF") << QByteArray() << true;
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("٨١ FF") << QByteArray() << true;
    QTest::newRow("NUL") << QString("81") + QChar(0) + " FF" << QByteArray() << true;
    QTest::newRow("zero-width space") << QString::fromUtf8("81\u200B FF") << QByteArray() << true;
    QTest::newRow("20,000-character piece") << QString(20000, '1') << QByteArray() << true;
}

void ViscaTest::conversion()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, fails);
    bool converted = fails;
    QCOMPARE(command_bytes(text, &converted), bytes);
    QCOMPARE(converted, !fails);
}

void ViscaTest::typed_commands_data()
{
    using namespace visca;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("up at the defaults")
        << pan_tilt_drive(1, Pan::still, Tilt::up, 15, 15) << "81 01 06 01 0F 0F 03 01 FF";
    QTest::newRow("down-left, slowest")
        << pan_tilt_drive(1, Pan::left, Tilt::down, 1, 1) << "81 01 06 01 01 01 01 02 FF";
    QTest::newRow("right, fastest, camera 2")
        << pan_tilt_drive(2, Pan::right, Tilt::still, 0x18, 0x14) << "82 01 06 01 18 14 02 03 FF";
    QTest::newRow("up-right, camera 7")
        << pan_tilt_drive(7, Pan::right, Tilt::up, 10, 3) << "87 01 06 01 0A 03 02 01 FF";
    QTest::newRow("stop") << pan_tilt_stop(1) << "81 01 06 01 03 03 03 03 FF";
    QTest::newRow("home, camera 3") << pan_tilt_home(3) << "83 01 06 04 FF";
    QTest::newRow("zoom tele 7") << zoom(1, Zoom::tele, 7) << "81 01 04 07 27 FF";
    QTest::newRow("zoom wide 0") << zoom(1, Zoom::wide, 0) << "81 01 04 07 30 FF";
    QTest::newRow("zoom stop") << zoom_stop(2) << "82 01 04 07 00 FF";
    QTest::newRow("manual focus") << focus_manual(1) << "81 01 04 38 03 FF";
    QTest::newRow("focus near 3") << focus(1, Focus::near, 3) << "81 01 04 08 33 FF";
    QTest::newRow("focus far 5") << focus(1, Focus::far, 5) << "81 01 04 08 25 FF";
    QTest::newRow("focus stop") << focus_stop(1) << "81 01 04 08 00 FF";
    QTest::newRow("store preset 0") << preset(1, true, 0) << "81 01 04 3F 01 00 FF";
    QTest::newRow("recall preset 10") << preset(1, false, 10) << "81 01 04 3F 02 0A FF";
    QTest::newRow("recall preset 254, camera 2") << preset(2, false, 254) << "82 01 04 3F 02 FE FF";
    QTest::newRow("version inquiry") << version_inquiry(1) << "81 09 00 02 FF";
    QTest::newRow("interface clear, broadcast") << interface_clear_broadcast() << "88 01 00 01 FF";
    QTest::newRow("address set, broadcast") << address_set_broadcast() << "88 30 01 FF";
}

void ViscaTest::chain_size_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("cameras"); // -1: not the address set's answer
    QTest::newRow("one camera") << QByteArray::fromHex("883002ff") << 1;
    QTest::newRow("seven cameras") << QByteArray::fromHex("883008ff") << 7;
    QTest::newRow("nobody took a number") << QByteArray::fromHex("883001ff") << 0;
    QTest::newRow("no such number") << QByteArray::fromHex("883009ff") << -1;
    QTest::newRow("zero") << QByteArray::fromHex("883000ff") << -1;
    QTest::newRow("interface clear") << QByteArray::fromHex("88010001ff") << -1;
    QTest::newRow("a camera's reply") << QByteArray::fromHex("903002ff") << -1;
    QTest::newRow("cut short") << QByteArray::fromHex("883002") << -1;
}

void ViscaTest::chain_size()
{
    QFETCH(QByteArray, message);
    QFETCH(int, cameras);
    QCOMPARE(visca::chain_size(message).value_or(-1), cameras);
}

void ViscaTest::tally_bytes_data()
{
    using visca::Tally;
    using visca::TallyDialect;
    QTest::addColumn<TallyDialect>("dialect");
    QTest::addColumn<Tally>("state");
    QTest::addColumn<QString>("messages");
    // Both lamps every time; Sony darkens before it lights.
    QTest::newRow("Sony program") << TallyDialect::sony << Tally::program
                                  << "82 01 7E 04 1A 00 03 FF, 82 01 7E 01 0A 00 02 FF";
    QTest::newRow("Sony preview") << TallyDialect::sony << Tally::preview
                                  << "82 01 7E 01 0A 00 03 FF, 82 01 7E 04 1A 00 02 FF";
    QTest::newRow("Sony off") << TallyDialect::sony << Tally::off
                              << "82 01 7E 04 1A 00 03 FF, 82 01 7E 01 0A 00 03 FF";
    QTest::newRow("Datavideo program")
        << TallyDialect::datavideo << Tally::program << "82 01 7E 01 0A 00 02 03 FF";
    QTest::newRow("Datavideo preview")
        << TallyDialect::datavideo << Tally::preview << "82 01 7E 01 0A 00 03 02 FF";
    QTest::newRow("Datavideo off")
        << TallyDialect::datavideo << Tally::off << "82 01 7E 01 0A 00 03 03 FF";
    QTest::newRow("none") << TallyDialect::none << Tally::program << "";
}

void ViscaTest::tally_bytes()
{
    QFETCH(visca::TallyDialect, dialect);
    QFETCH(visca::Tally, state);
    QFETCH(QString, messages);
    QStringList texts;
    for (const QByteArray &bytes : visca::tally(2, dialect, state))
        texts << spaced_hex(bytes);
    QCOMPARE(texts.join(", "), messages);
}

void ViscaTest::tally_resends()
{
    TallyLamp lamp;
    // Nothing until the operator sets it.
    QVERIFY(!lamp.due(0) && !lamp.due(100000));
    lamp.set(visca::Tally::program);
    QVERIFY(lamp.due(500));
    lamp.sent(500);
    QVERIFY(!lamp.due(500 + TallyLamp::resend_ms - 1));
    QVERIFY(lamp.due(500 + TallyLamp::resend_ms));
    lamp.sent(20000);
    // A link that opens again gets it at once.
    lamp.link_opened();
    QVERIFY(lamp.due(20001));
}

void ViscaTest::speeds_that_suit_the_shot()
{
    // Full speed at wide, three fifths half way, a fifth at the optical end.
    QCOMPARE(zoom_scaled(15, 0), 15);
    QCOMPARE(zoom_scaled(15, 0x2000), 9);
    QCOMPARE(zoom_scaled(15, 0x4000), 3);
    QCOMPARE(zoom_scaled(15, 0x6000), 3); // digital zoom: no slower
    QCOMPARE(zoom_scaled(2, 0x4000), 1);  // never below 1
    // A Go: the farther axis at the Go speed, within its range.
    QCOMPARE(arriving_together(2400, 600, 24), QPoint(24, 6));
    QCOMPARE(arriving_together(-1200, 1600, 24), QPoint(15, 20));
    QCOMPARE(arriving_together(3000, 1, 24), QPoint(24, 1));
    QCOMPARE(arriving_together(0, 0, 30), QPoint(24, 20));
}

void ViscaTest::typed_commands()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(spaced_hex(bytes), text);
}

void ViscaTest::hex_rendering_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("reply") << QByteArray::fromHex("9041ff") << "90 41 FF ";
    QTest::newRow("upper case") << QByteArray::fromHex("ab0a") << "AB 0A ";
    QTest::newRow("zero byte") << QByteArray(1, '\0') << "00 ";
    QTest::newRow("nothing") << QByteArray() << "";
}

void ViscaTest::hex_rendering()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(hex_text(bytes), text);
}

void ViscaTest::packet_cutting_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QStringList>("packets");
    QTest::addColumn<int>("left");
    using Reads = QList<QByteArray>;
    const auto h = [](const char *hex) { return QByteArray::fromHex(hex); };
    QTest::newRow("one reply") << Reads{h("9041ff")} << QStringList{"9041ff"} << 0;
    QTest::newRow("two replies in one read")
        << Reads{h("9041ff9051ff")} << QStringList{"9041ff", "9051ff"} << 0;
    QTest::newRow("split over reads") << Reads{h("9041"), h("ff")} << QStringList{"9041ff"} << 0;
    QTest::newRow("no FF yet") << Reads{h("4142")} << QStringList{} << 2;
    QTest::newRow("tail kept") << Reads{h("9051ff90")} << QStringList{"9051ff"} << 1;
    // The test cutter's limit is 4: a run without FF comes out at 4 bytes.
    QTest::newRow("run at the limit") << Reads{h("01020304")} << QStringList{"01020304"} << 0;
    QTest::newRow("run past the limit")
        << Reads{h("0102"), h("030405ff")} << QStringList{"01020304", "05ff"} << 0;
    QTest::newRow("FF as the fourth byte") << Reads{h("010203ff")} << QStringList{"010203ff"} << 0;
}

void ViscaTest::packet_cutting()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QStringList, packets);
    QFETCH(int, left);
    PacketCutter cutter(4);
    QStringList cut;
    for (const QByteArray &read : reads) {
        for (const QByteArray &packet : cutter.feed(read))
            cut << QString::fromLatin1(packet.toHex());
    }
    QCOMPARE(cut, packets);
    QCOMPARE(cutter.pending_size(), left);
}

void ViscaTest::cutter_memory_stays_flat()
{
    // A device that never sends FF (a GPS receiver on the port): 1 MB in
    // reads of 4 kB comes out in pieces of the limit, nothing piles up.
    PacketCutter cutter;
    const QByteArray read(4096, 'A');
    int packets = 0;
    for (int i = 0; i < 256; ++i) {
        for (const QByteArray &packet : cutter.feed(read)) {
            QCOMPARE(packet.size(), PacketCutter::default_limit);
            ++packets;
        }
        QVERIFY(cutter.pending_size() < PacketCutter::default_limit);
    }
    QCOMPARE(packets, 1024);
}

void ViscaTest::reply_reading_data()
{
    using visca::ReplyKind;
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("socket");
    QTest::addColumn<int>("error");
    QTest::addColumn<QByteArray>("data");
    const auto row = [](const char *name, const char *hex, ReplyKind kind, int address,
                        int socket = 0, int error = 0, const char *data = "") {
        QTest::newRow(name) << QByteArray::fromHex(hex) << true << int(kind) << address << socket
                            << error << QByteArray::fromHex(data);
    };
    const auto none = [](const char *name, const char *hex) {
        QTest::newRow(name) << QByteArray::fromHex(hex) << false << 0 << 0 << 0 << 0
                            << QByteArray();
    };
    row("ack 1", "9041ff", ReplyKind::Ack, 1, 1);
    row("ack 7, socket 2", "f042ff", ReplyKind::Ack, 7, 2);
    row("completion 1", "9051ff", ReplyKind::Completion, 1, 1);
    row("completion 7", "f052ff", ReplyKind::Completion, 7, 2);
    row("length error", "906001ff", ReplyKind::Error, 1, 0, 0x01);
    row("syntax error", "906002ff", ReplyKind::Error, 1, 0, 0x02);
    row("buffer full", "f06003ff", ReplyKind::Error, 7, 0, 0x03);
    row("cancelled", "906104ff", ReplyKind::Error, 1, 1, 0x04);
    row("no socket", "f06205ff", ReplyKind::Error, 7, 2, 0x05);
    row("not executable", "906141ff", ReplyKind::Error, 1, 1, 0x41);
    row("inquiry answer", "905002ff", ReplyKind::Answer, 1, 0, 0, "02");
    row("position answer 7", "f0500001020304050607ff", ReplyKind::Answer, 7, 0, 0,
        "0001020304050607");
    row("interface clear", "9050ff", ReplyKind::Answer, 1);
    none("empty", "");
    none("truncated ack", "9041");
    none("truncated error", "9060ff");
    none("no header", "41ff");
    none("from a controller", "8141ff");
    none("broadcast", "88010001ff");
    none("address 0", "8050ff");
    none("odd header", "9141ff");
    none("network change", "9038ff");
    none("ack with data", "904101ff");
    none("FF inside", "90ff41ff");
    none("longer than 16", "90500102030405060708090a0b0c0d0e0fff");
    none("VISCA over IP control reply", "0f02");
}

void ViscaTest::reply_reading()
{
    QFETCH(QByteArray, message);
    QFETCH(bool, read);
    const std::optional<visca::Reply> reply = visca::read_reply(message);
    QCOMPARE(bool(reply), read);
    if (!reply)
        return;
    QFETCH(int, kind);
    QFETCH(int, address);
    QFETCH(int, socket);
    QFETCH(int, error);
    QFETCH(QByteArray, data);
    QCOMPARE(int(reply->kind), kind);
    QCOMPARE(reply->address, address);
    QCOMPARE(reply->socket, socket);
    QCOMPARE(int(reply->error), error);
    QCOMPARE(reply->data, data);
}

void ViscaTest::version_reading_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("version"); // vendor/model/rom/sockets in hex, empty if refused
    QTest::newRow("the simulator") << QByteArray::fromHex("90500020005a010002ff") << "20/5a/100/2";
    QTest::newRow("camera 2, all ones") << QByteArray::fromHex("a050ffeeffeeffee03ff") << "";
    QTest::newRow("camera 2") << QByteArray::fromHex("a0500001050e020003ff") << "1/50e/200/3";
    QTest::newRow("one byte short") << QByteArray::fromHex("90500020005a0100ff") << "";
    QTest::newRow("an ACK") << QByteArray::fromHex("9041ff") << "";
}

void ViscaTest::version_reading()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, version);
    const std::optional<visca::Version> read = visca::read_version(message);
    QCOMPARE(read ? QString("%1/%2/%3/%4")
                        .arg(read->vendor, 0, 16)
                        .arg(read->model, 0, 16)
                        .arg(read->rom, 0, 16)
                        .arg(read->sockets)
                  : QString(),
             version);
}

void ViscaTest::position_reading_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("read"); // "pan,tilt,digits" or "lens" or "manual"/"auto"; "" refused
    const auto row = [](const char *name, const char *hex, const char *read) {
        QTest::newRow(name) << QByteArray::fromHex(hex) << QString(read);
    };
    row("pan-tilt, five pan digits", "9050 0001020304 00010203 ff", "4660,291,5");
    row("pan-tilt, four pan digits", "9050 01020304 0f0f0f0f ff", "4660,-1,4");
    row("pan left of centre, five digits", "9050 0f0f0f0f0f 00000000 ff", "-1,0,5");
    row("pan and tilt at their most negative", "9050 08000000 08000000 ff", "-32768,-32768,4");
    row("camera 3", "b050 0000000001 0000000f ff", "1,15,5");
    row("pan-tilt with a byte no nibble", "9050 0001020314 00010203 ff", "");
    row("pan-tilt one digit short", "9050 000102 00010203 ff", "");
    row("pan-tilt one digit long", "9050 000102030400 00010203 ff", "");
    row("zoom at the optical end", "9050 04000000 ff", "16384");
    row("focus far", "9050 0f0f0f0f ff", "65535");
    row("focus manual", "9050 03 ff", "manual");
    row("focus auto", "9050 02 ff", "auto");
    row("an error", "906002ff", "");
    row("an ACK", "9041ff", "");
}

void ViscaTest::position_reading()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, read);
    QStringList found;
    if (const auto pan_tilt = visca::read_pan_tilt(answer))
        found
            << QString("%1,%2,%3").arg(pan_tilt->pan).arg(pan_tilt->tilt).arg(pan_tilt->pan_digits);
    if (const auto lens = visca::read_lens(answer))
        found << QString::number(*lens);
    if (const auto manual = visca::read_focus_manual(answer))
        found << (*manual ? "manual" : "auto");
    QCOMPARE(found.join('|'), read);
}

void ViscaTest::absolute_moves_data()
{
    using namespace visca;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // empty: refused
    QTest::newRow("five pan digits, negative pan")
        << pan_tilt_absolute(1, 0x18, 0x14, {-1, 256, 5})
        << "81 01 06 02 18 14 0F 0F 0F 0F 0F 00 01 00 00 FF";
    QTest::newRow("four pan digits, camera 2") << pan_tilt_absolute(2, 1, 1, {0x1234, -2, 4})
                                               << "82 01 06 02 01 01 01 02 03 04 0F 0F 0F 0E FF";
    QTest::newRow("pan beyond four digits") << pan_tilt_absolute(1, 1, 1, {0x8000, 0, 4}) << "";
    QTest::newRow("pan at the most of five digits")
        << pan_tilt_absolute(1, 1, 1, {0x7FFFF, 0, 5})
        << "81 01 06 02 01 01 07 0F 0F 0F 0F 00 00 00 00 FF";
    QTest::newRow("tilt beyond four digits") << pan_tilt_absolute(1, 1, 1, {0, -0x8001, 5}) << "";
    QTest::newRow("three pan digits") << pan_tilt_absolute(1, 1, 1, {0, 0, 3}) << "";
    QTest::newRow("zoom direct") << zoom_direct(1, 0x4000) << "81 01 04 47 04 00 00 00 FF";
    QTest::newRow("focus direct, camera 7")
        << focus_direct(7, 0xABCD) << "87 01 04 48 0A 0B 0C 0D FF";
    QTest::newRow("zoom below 0") << zoom_direct(1, -1) << "";
    QTest::newRow("focus beyond FFFFh") << focus_direct(1, 0x10000) << "";
    QTest::newRow("pan-tilt inquiry") << pan_tilt_position_inquiry(1) << "81 09 06 12 FF";
    QTest::newRow("zoom inquiry") << zoom_position_inquiry(2) << "82 09 04 47 FF";
    QTest::newRow("focus inquiry") << focus_position_inquiry(1) << "81 09 04 48 FF";
    QTest::newRow("focus mode inquiry") << focus_mode_inquiry(1) << "81 09 04 38 FF";
}

void ViscaTest::absolute_moves()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(bytes.isEmpty() ? QString() : spaced_hex(bytes), text);
}

void ViscaTest::discovery_reply_reading_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("fields"); // "KEY=VALUE|…", empty when refused
    const auto reply = [](const QList<const char *> &fields) {
        QByteArray bytes("\x02");
        for (const char *field : fields)
            bytes += QByteArray(field) + '\xff';
        return bytes + '\x03';
    };
    const QList<const char *> camera = {
        "MAC:08-00-46-12-34-56", "MODEL:IPCARD", "SOFTVERSION:2.10", "IPADR:192.168.0.100",
        "MASK:255.255.255.0",    "NAME:CAM1",    "WRITE:on"};
    QTest::newRow("a camera") << reply(camera)
                              << "MAC=08-00-46-12-34-56|MODEL=IPCARD|SOFTVERSION=2.10|"
                                 "IPADR=192.168.0.100|MASK=255.255.255.0|NAME=CAM1|WRITE=on";
    QTest::newRow("with a gateway, fields in another order")
        << reply({"IPADR:10.0.0.7", "GATEWAY:10.0.0.1", "NAME:", "MAC:1"})
        << "IPADR=10.0.0.7|GATEWAY=10.0.0.1|NAME=|MAC=1";
    QTest::newRow("an unknown field is kept")
        << reply({"IPADR:10.0.0.7", "PTZ:yes:really"}) << "IPADR=10.0.0.7|PTZ=yes:really";
    QTest::newRow("the enquiry itself") << visca::discovery_enquiry() << "";
    QTest::newRow("no IPADR") << reply({"MAC:1", "NAME:CAM1"}) << "";
    QTest::newRow("IPADR no address") << reply({"IPADR:192.168.0.300"}) << "";
    QTest::newRow("a field without its colon") << reply({"IPADR:10.0.0.7", "WRITE"}) << "";
    QTest::newRow("truncated") << reply(camera).left(40) << "";
    QTest::newRow("no ETX") << reply(camera).chopped(1) << "";
    QTest::newRow("no STX") << reply(camera).mid(1) << "";
    QTest::newRow("ETX straight after a field") << QByteArray("\x02IPADR:10.0.0.7\x03") << "";
    QTest::newRow("a control byte in a field") << reply({"IPADR:10.0.0.7", "NAME:A\x01"}) << "";
    QTest::newRow("64 KB of junk") << "\x02" + QByteArray(65536, 'A') + "\xff\x03"
                                   << "";
    QTest::newRow("empty") << QByteArray() << "";
}

void ViscaTest::discovery_reply_reading()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, fields);
    const std::optional<visca::DiscoveryReply> reply = visca::read_discovery_reply(datagram);
    QStringList read;
    if (reply) {
        for (const auto &field : reply->fields)
            read << field.first + '=' + field.second;
    }
    QCOMPARE(read.join('|'), fields);
}

// Whatever arrives on the discovery port, the reader answers at once and
// only with what it read.
void ViscaTest::discovery_reading_survives_garbage()
{
    QRandomGenerator draw(31);
    const QByteArray alphabet("\x02\x03\xff:.0123456789IPADRNAME");
    for (int i = 0; i < 100000; ++i) {
        QByteArray datagram(int(draw.bounded(60)), '\0');
        for (char &byte : datagram)
            byte = draw.bounded(4) == 0 ? char(draw.bounded(256))
                                        : alphabet.at(int(draw.bounded(alphabet.size())));
        if (draw.bounded(2))
            datagram = "\x02IPADR:1.2.3.4\xff" + datagram + "\xff\x03";
        const std::optional<visca::DiscoveryReply> reply = visca::read_discovery_reply(datagram);
        if (!reply)
            continue;
        QVERIFY(!reply->address().isEmpty());
        QVERIFY(reply->fields.size() <= datagram.count('\xff'));
    }
}

// Whatever a network delivers, the reader answers and stays inside what it read.
void ViscaTest::reply_reading_survives_garbage()
{
    QRandomGenerator draw(28);
    for (int i = 0; i < 200000; ++i) {
        QByteArray message(int(draw.bounded(20)), '\0');
        for (char &byte : message)
            byte = char(draw.bounded(8) == 0 ? 0xFF : draw.bounded(256));
        if (draw.bounded(2) && !message.isEmpty())
            message[0] = char(0x90 + 0x10 * draw.bounded(7));
        const std::optional<visca::Reply> reply = visca::read_reply(message);
        if (!reply)
            continue;
        QVERIFY(reply->address >= 1 && reply->address <= 7);
        QVERIFY(reply->data.size() <= message.size() - 3);
        QCOMPARE(quint8(message.back()), quint8(0xFF));
    }
}

void ViscaTest::what_a_reply_can_answer_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("can");
    const auto row = [](const char *name, const char *message, const char *reply, bool can) {
        QTest::newRow(name) << QByteArray::fromHex(message) << QByteArray::fromHex(reply) << can;
    };
    row("a command's ACK", "8101060103030303ff", "9041ff", true);
    row("a command's completion", "8101060103030303ff", "9051ff", true);
    row("no position for a command", "8101060103030303ff", "90500000000000000000ff", false);
    row("interface clear's empty answer", "81010001ff", "9050ff", true);
    row("no ACK for an inquiry", "81090612ff", "9041ff", false);
    row("pan-tilt, four pan digits", "81090612ff", "90500000000000000000ff", true);
    row("pan-tilt, five pan digits", "81090612ff", "9050000000000000000000ff", true);
    row("no zoom answer for pan-tilt", "81090612ff", "905000000000ff", false);
    row("zoom", "81090447ff", "905000010203ff", true);
    row("no focus mode answer for zoom", "81090447ff", "905002ff", false);
    row("an inquiry not known here", "81090400ff", "905002ff", true);
    row("an error answers either", "81090612ff", "906141ff", true);
    row("typed bytes of another kind", "810a0102ff", "9041ff", true);
}

void ViscaTest::what_a_reply_can_answer()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, reply);
    QFETCH(bool, can);
    const auto read = visca::read_reply(reply);
    QVERIFY(read);
    QCOMPARE(visca::may_answer(message, *read), can);
}

QTEST_APPLESS_MAIN(ViscaTest)
// Packed as a controller sends it, and read back as the camera reads it.
void ViscaTest::visca_over_ip_data()
{
    QTest::addColumn<QByteArray>("visca");
    QTest::addColumn<quint32>("sequence");
    QTest::addColumn<QByteArray>("datagram");
    const auto bytes = [](const char *hex) { return QByteArray::fromHex(hex); };
    QTest::newRow("command") << bytes("81010604ff") << 5u << bytes("010000050000000581010604ff");
    QTest::newRow("inquiry") << bytes("81090400ff") << 0x01020304u
                             << bytes("011000050102030481090400ff");
    QTest::newRow("last number") << bytes("81010604ff") << 0xFFFFFFFFu
                                 << bytes("01000005ffffffff81010604ff");
}

void ViscaTest::visca_over_ip()
{
    QFETCH(QByteArray, visca);
    QFETCH(quint32, sequence);
    QFETCH(QByteArray, datagram);
    namespace ip = visca_over_ip;
    QCOMPARE(ip::pack(ip::type_of(visca), sequence, visca), datagram);
    const std::optional<ip::Message> read = ip::unpack(datagram);
    QVERIFY(read);
    QCOMPARE(read->sequence, sequence);
    QCOMPARE(read->payload, visca);
    QVERIFY(!ip::unpack(datagram.chopped(1)));
    QVERIFY(!ip::unpack(datagram.left(7)));
}

#include "tst_visca.moc"
