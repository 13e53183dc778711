// The simulated camera's protocol: message cutting, every reply code, the
// state commands leave behind and the limits of motion.

#include "visca/catalog.h"
#include "visca/command_text.h"
#include "visca_camera.h"

#include <QtTest>

namespace {
QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

QString spaced(const QList<QByteArray> &replies)
{
    QStringList all;
    for (const QByteArray &reply : replies)
        all << spaced_hex(reply);
    return all.join(" | ");
}
} // namespace

class SimProtocolTest : public QObject
{
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void speed_ranges_data();
    void speed_ranges();
    void older_profile_writes_four_pan_digits();
    void moves_complete_when_they_end();
    void two_sockets();
    void drive_moves_at_its_speed_and_stops_at_the_limit();
    void presets_store_and_recall();
    void zoom_focus_and_inquiries();
    void speaks_the_whole_catalog();
};

void SimProtocolTest::replies_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("replies");
    QTest::addColumn<bool>("completes");
    QTest::addColumn<QString>("line");
    QTest::newRow("drive") << hex("81 01 06 01 0E 0E 02 01 FF") << "90 41 FF" << true
                           << "pan right, tilt up at 14/14";
    QTest::newRow("tilt only") << hex("81 01 06 01 01 14 03 02 FF") << "90 41 FF" << true
                               << "tilt down at 1/20";
    QTest::newRow("stop") << hex("81 01 06 01 03 03 03 03 FF") << "90 41 FF" << true
                          << "pan-tilt stop";
    QTest::newRow("speed 00 is slowest")
        << hex("81 01 06 01 00 00 01 03 FF") << "90 41 FF" << true << "pan left at 0/0";
    QTest::newRow("pan speed past 18h") << hex("81 01 06 01 19 01 01 03 FF") << "90 60 02 FF"
                                        << false << "syntax error: 81 01 06 01 19 01 01 03 FF";
    QTest::newRow("tilt speed 17h")
        << hex("81 01 06 01 01 17 03 01 FF") << "90 41 FF" << true << "tilt up at 1/23";
    QTest::newRow("tilt speed past 17h") << hex("81 01 06 01 01 18 03 01 FF") << "90 60 02 FF"
                                         << false << "syntax error: 81 01 06 01 01 18 03 01 FF";
    QTest::newRow("stop whatever its speeds")
        << hex("81 01 06 01 7E 7E 03 03 FF") << "90 41 FF" << true << "pan-tilt stop";
    QTest::newRow("bad direction") << hex("81 01 06 01 01 01 04 03 FF") << "90 60 02 FF" << false
                                   << "syntax error: 81 01 06 01 01 01 04 03 FF";
    QTest::newRow("home") << hex("81 01 06 04 FF") << "90 41 FF" << true << "home";
    QTest::newRow("pan-tilt reset")
        << hex("81 01 06 05 FF") << "90 41 FF" << true << "pan-tilt reset";
    QTest::newRow("absolute, five pan digits")
        << hex("81 01 06 02 18 14 0F 0F 0F 0F 06 00 01 02 0C FF") << "90 41 FF" << true
        << "pan-tilt absolute -10, 300 at 24/20 (150 ms)";
    QTest::newRow("absolute past the limit")
        << hex("81 01 06 02 18 14 00 01 00 00 00 00 00 00 00 FF") << "90 60 02 FF" << false
        << "syntax error: 81 01 06 02 18 14 00 01 00 00 00 00 00 00 00 FF";
    QTest::newRow("absolute, four pan digits")
        << hex("81 01 06 02 18 14 00 00 00 00 00 00 00 00 FF") << "90 60 02 FF" << false
        << "syntax error: 81 01 06 02 18 14 00 00 00 00 00 00 00 00 FF";
    QTest::newRow("relative") << hex("81 01 06 03 01 01 00 00 00 06 04 0F 0F 0C 04 FF")
                              << "90 41 FF" << true
                              << "pan-tilt relative 100, -60 at 1/1 (1000 ms)";
    QTest::newRow("zoom direct") << hex("81 01 04 47 04 00 00 00 FF") << "90 41 FF" << true
                                 << "zoom direct 16384 (2000 ms)";
    QTest::newRow("zoom direct past tele") << hex("81 01 04 47 04 00 00 01 FF") << "90 60 02 FF"
                                           << false << "syntax error: 81 01 04 47 04 00 00 01 FF";
    QTest::newRow("focus direct") << hex("81 01 04 48 01 00 00 00 FF") << "90 41 FF" << true
                                  << "focus direct 4096 (0 ms)";
    QTest::newRow("one-push autofocus")
        << hex("81 01 04 18 01 FF") << "90 41 FF" << true << "one-push autofocus";
    QTest::newRow("autofocus sensitivity")
        << hex("81 01 04 58 02 FF") << "90 41 FF" << true << "autofocus sensitivity 02";
    QTest::newRow("backlight on") << hex("81 01 04 33 02 FF") << "90 41 FF" << true
                                  << "backlight on";
    QTest::newRow("white balance outdoor")
        << hex("81 01 04 35 02 FF") << "90 41 FF" << true << "white balance 02";
    QTest::newRow("white balance 6")
        << hex("81 01 04 35 06 FF") << "90 60 02 FF" << false << "syntax error: 81 01 04 35 06 FF";
    QTest::newRow("exposure bright")
        << hex("81 01 04 39 0D FF") << "90 41 FF" << true << "exposure mode 0D";
    QTest::newRow("interface clear")
        << hex("81 01 00 01 FF") << "90 50 FF" << false << "interface clear";
    QTest::newRow("broadcast interface clear")
        << hex("88 01 00 01 FF") << "88 01 00 01 FF" << false << "interface clear (broadcast)";
    QTest::newRow("address set") << hex("88 30 01 FF") << "88 30 02 FF" << false
                                 << "address set: camera 1";
    QTest::newRow("cancel an empty socket")
        << hex("81 22 FF") << "90 62 05 FF" << false << "cancel: socket 2 is empty";
    QTest::newRow("cancel socket 3")
        << hex("81 23 FF") << "90 60 02 FF" << false << "syntax error: 81 23 FF";
    QTest::newRow("zoom tele") << hex("81 01 04 07 25 FF") << "90 41 FF" << true
                               << "zoom tele at 5";
    QTest::newRow("zoom speed 8") << hex("81 01 04 07 28 FF") << "90 60 02 FF" << false
                                  << "syntax error: 81 01 04 07 28 FF";
    QTest::newRow("focus near") << hex("81 01 04 08 33 FF") << "90 41 FF" << true
                                << "focus near at 3";
    QTest::newRow("focus manual") << hex("81 01 04 38 03 FF") << "90 41 FF" << true
                                  << "focus manual";
    QTest::newRow("preset stored")
        << hex("81 01 04 3F 01 05 FF") << "90 41 FF" << true << "preset 5 stored";
    QTest::newRow("preset 254") << hex("81 01 04 3F 01 FE FF") << "90 41 FF" << true
                                << "preset 254 stored";
    QTest::newRow("unknown command")
        << hex("81 01 7E 01 FF") << "90 60 02 FF" << false << "syntax error: 81 01 7E 01 FF";
    QTest::newRow("power inquiry")
        << hex("81 09 04 00 FF") << "90 50 02 FF" << false << "inquiry: power";
    QTest::newRow("version inquiry")
        << hex("81 09 00 02 FF") << "90 50 00 20 00 5A 01 00 02 FF" << false << "inquiry: version";
    QTest::newRow("exposure inquiry")
        << hex("81 09 04 39 FF") << "90 50 00 FF" << false << "inquiry: exposure mode";
    QTest::newRow("white balance inquiry")
        << hex("81 09 04 35 FF") << "90 50 00 FF" << false << "inquiry: white balance mode";
    QTest::newRow("backlight inquiry")
        << hex("81 09 04 33 FF") << "90 50 03 FF" << false << "inquiry: backlight";
    QTest::newRow("pan-tilt inquiry")
        << hex("81 09 06 12 FF") << "90 50 00 00 00 00 00 00 00 00 00 FF" << false
        << "inquiry: pan 0, tilt 0";
    QTest::newRow("unknown inquiry")
        << hex("81 09 7E FF") << "90 60 02 FF" << false << "syntax error: 81 09 7E FF";
    QTest::newRow("too short") << hex("81 FF") << "90 60 01 FF" << false
                               << "message length error: 81 FF";
    QTest::newRow("too long") << QByteArray(16, '\x81') + hex("FF") << "90 60 01 FF" << false
                              << "message length error: " + QString("81 ").repeated(16) + "FF";
    QTest::newRow("other camera") << hex("82 01 06 04 FF") << "" << false
                                  << "dropped, not for camera 1: 82 01 06 04 FF";
    QTest::newRow("not from a controller")
        << hex("90 41 FF") << "" << false << "dropped, not from a controller: 90 41 FF";
}

void SimProtocolTest::replies()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, replies);
    QFETCH(bool, completes);
    QFETCH(QString, line);
    ViscaCamera camera;
    const ViscaCamera::Answer answer = camera.handle(message, 0);
    QCOMPARE(spaced(answer.replies), replies);
    QCOMPARE(answer.completion, completes ? hex("90 51 FF") : QByteArray());
    QCOMPARE(answer.description, line);
}

void SimProtocolTest::speed_ranges_data()
{
    QTest::addColumn<bool>("strict");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("reply");
    QTest::newRow("pan 00") << false << hex("81 01 06 01 00 01 01 03 FF") << "90 41 FF";
    QTest::newRow("strict: pan 00") << true << hex("81 01 06 01 00 01 01 03 FF") << "90 60 02 FF";
    QTest::newRow("strict: tilt 00") << true << hex("81 01 06 01 01 00 03 01 FF") << "90 60 02 FF";
    QTest::newRow("strict: slowest") << true << hex("81 01 06 01 01 01 01 03 FF") << "90 41 FF";
    QTest::newRow("strict: pan 18h") << true << hex("81 01 06 01 18 01 01 03 FF") << "90 41 FF";
    QTest::newRow("strict: tilt 15h") << true << hex("81 01 06 01 01 15 03 01 FF") << "90 60 02 FF";
    QTest::newRow("strict: stop 00 00") << true << hex("81 01 06 01 00 00 03 03 FF") << "90 41 FF";
    QTest::newRow("strict: absolute tilt 15h")
        << true << hex("81 01 06 02 01 15 00 00 00 00 00 00 00 00 00 FF") << "90 60 02 FF";
}

void SimProtocolTest::speed_ranges()
{
    QFETCH(bool, strict);
    QFETCH(QByteArray, message);
    QFETCH(QString, reply);
    ViscaCamera::Config config;
    config.strict_speed = strict;
    ViscaCamera camera(config);
    QCOMPARE(spaced(camera.handle(message, 0).replies), reply);
}

void SimProtocolTest::older_profile_writes_four_pan_digits()
{
    ViscaCamera::Config config;
    config.profile = ViscaCamera::Profile::older;
    ViscaCamera camera(config);
    QCOMPARE(spaced(camera.handle(hex("81 01 06 02 18 14 0F 0F 03 08 00 00 01 00 FF"), 0).replies),
             QString("90 41 FF")); // pan -200, tilt 16
    QCOMPARE(spaced(camera.handle(hex("81 09 06 12 FF"), 1000).replies),
             QString("90 50 0F 0F 03 08 00 00 01 00 FF"));
    QCOMPARE(
        spaced(camera.handle(hex("81 01 06 02 18 14 00 00 00 00 00 00 00 00 00 FF"), 1000).replies),
        QString("90 60 02 FF"));
}

void SimProtocolTest::moves_complete_when_they_end()
{
    ViscaCamera camera;
    // Pan to 1200 at speed 10 (1000 units a second), tilt to -300 at 5 (500).
    const ViscaCamera::Answer move =
        camera.handle(hex("81 01 06 02 0A 05 00 00 04 0B 00 0F 0E 0D 04 FF"), 0);
    QCOMPARE(move.completion_ms, qint64(1200));
    QCOMPARE(move.socket, 1);
    QCOMPARE(camera.position(600).pan, 600);
    QCOMPARE(camera.position(600).tilt, -300);
    QCOMPARE(spaced(camera.handle(hex("81 09 06 12 FF"), 1000).replies),
             QString("90 50 00 00 03 0E 08 0F 0E 0D 04 FF")); // 1000, -300
    QVERIFY(camera.finish(move.socket, move.ticket));
    QCOMPARE(camera.position(5000).pan, 1200);
    // Relative from there, into the limit.
    camera.handle(hex("81 01 06 03 18 14 00 0F 00 00 00 00 00 00 00 FF"), 5000);
    QCOMPARE(camera.position(9000).pan, ViscaCamera::pan_limit);
    // Zoom direct runs at the fastest zoom speed.
    const ViscaCamera::Answer zoom = camera.handle(hex("81 01 04 47 02 00 00 00 FF"), 9000);
    QCOMPARE(zoom.completion_ms, qint64(1000));
    QCOMPARE(camera.position(9500).zoom, 0x1000);
    QCOMPARE(camera.position(12000).zoom, 0x2000);
}

void SimProtocolTest::two_sockets()
{
    ViscaCamera::Config config;
    config.completion_ms = 100;
    ViscaCamera camera(config);
    const ViscaCamera::Answer first = camera.handle(hex("81 01 06 04 FF"), 0);
    const ViscaCamera::Answer second = camera.handle(hex("81 01 04 07 27 FF"), 0);
    QCOMPARE(spaced(first.replies) + " / " + first.completion.toHex(' '),
             QString("90 41 FF / 90 51 ff"));
    QCOMPARE(spaced(second.replies) + " / " + second.completion.toHex(' '),
             QString("90 42 FF / 90 52 ff"));
    const ViscaCamera::Answer third = camera.handle(hex("81 01 04 07 00 FF"), 10);
    QCOMPARE(spaced(third.replies), QString("90 60 03 FF"));
    QVERIFY(third.completion.isEmpty());
    // Inquiries need no socket.
    QCOMPARE(spaced(camera.handle(hex("81 09 04 00 FF"), 10).replies), QString("90 50 02 FF"));
    // A cancel ends the zoom and frees socket 2: no completion for it.
    QCOMPARE(spaced(camera.handle(hex("81 22 FF"), 500).replies), QString("90 62 04 FF"));
    QCOMPARE(camera.position(5000).zoom, 0x1000); // half a second at 8192 a second
    QVERIFY(!camera.finish(second.socket, second.ticket));
    QCOMPARE(spaced(camera.handle(hex("81 01 04 07 00 FF"), 5000).replies), QString("90 42 FF"));
    QVERIFY(camera.finish(first.socket, first.ticket));
    QCOMPARE(spaced(camera.handle(hex("81 21 FF"), 5000).replies), QString("90 61 05 FF"));
    // Interface clear empties both sockets.
    camera.handle(hex("81 01 06 04 FF"), 5000);
    camera.handle(hex("81 01 00 01 FF"), 5000);
    QCOMPARE(spaced(camera.handle(hex("81 21 FF"), 5000).replies), QString("90 61 05 FF"));
    QCOMPARE(spaced(camera.handle(hex("81 22 FF"), 5000).replies), QString("90 62 05 FF"));
}

void SimProtocolTest::drive_moves_at_its_speed_and_stops_at_the_limit()
{
    ViscaCamera camera;
    camera.handle(hex("81 01 06 01 0A 05 02 01 FF"), 0); // right at 10, up at 5
    const ViscaCamera::Position after_one_second = camera.position(1000);
    QCOMPARE(after_one_second.pan, 1000);
    QCOMPARE(after_one_second.tilt, 500);
    // Twice the speed, twice the way.
    camera.handle(hex("81 01 06 01 14 05 01 03 FF"), 1000);
    QCOMPARE(camera.position(1500).pan, 0);
    camera.handle(hex("81 01 06 01 03 03 03 03 FF"), 1500);
    QCOMPARE(camera.position(9000).pan, 0);
    // Driving on runs into the limit and stays there.
    camera.handle(hex("81 01 06 01 18 14 01 02 FF"), 9000);
    const ViscaCamera::Position limit = camera.position(60000);
    QCOMPARE(limit.pan, -ViscaCamera::pan_limit);
    QCOMPARE(limit.tilt, -ViscaCamera::tilt_limit);
}

void SimProtocolTest::presets_store_and_recall()
{
    ViscaCamera camera;
    camera.handle(hex("81 01 06 01 0A 0A 02 03 FF"), 0);
    camera.handle(hex("81 01 06 01 03 03 03 03 FF"), 500);
    camera.handle(hex("81 01 04 3F 01 05 FF"), 600);
    QVERIFY(camera.has_preset(5));
    camera.handle(hex("81 01 06 04 FF"), 700);
    QCOMPARE(camera.position(700).pan, 0);
    QCOMPARE(camera.handle(hex("81 01 04 3F 02 05 FF"), 800).description,
             QString("preset 5 recalled"));
    QCOMPARE(camera.position(800).pan, 500);
    camera.handle(hex("81 01 04 3F 00 05 FF"), 900);
    QVERIFY(!camera.has_preset(5));
    QCOMPARE(camera.handle(hex("81 01 04 3F 02 05 FF"), 900).description,
             QString("preset 5 recalled (never stored, no move)"));
}

void SimProtocolTest::zoom_focus_and_inquiries()
{
    ViscaCamera camera;
    camera.handle(hex("81 01 04 07 27 FF"), 0); // tele at 7: 8192 units a second
    camera.handle(hex("81 01 04 07 00 FF"), 1000);
    QCOMPARE(spaced(camera.handle(hex("81 09 04 47 FF"), 5000).replies),
             QString("90 50 02 00 00 00 FF"));
    camera.handle(hex("81 01 04 07 37 FF"), 5000);
    QCOMPARE(camera.position(60000).zoom, 0);

    QCOMPARE(spaced(camera.handle(hex("81 09 04 38 FF"), 0).replies), QString("90 50 02 FF"));
    camera.handle(hex("81 01 04 38 03 FF"), 0);
    QVERIFY(camera.manual_focus());
    QCOMPARE(spaced(camera.handle(hex("81 09 04 38 FF"), 0).replies), QString("90 50 03 FF"));
    camera.handle(hex("81 01 04 38 10 FF"), 0);
    QVERIFY(!camera.manual_focus());

    camera.handle(hex("81 01 06 01 01 01 01 02 FF"), 60000); // left and down
    QCOMPARE(spaced(camera.handle(hex("81 09 06 12 FF"), 61000).replies),
             QString("90 50 0F 0F 0F 09 0C 0F 0F 09 0C FF")); // pan -100, tilt -100
    camera.handle(hex("81 01 04 00 03 FF"), 61000);
    QCOMPARE(spaced(camera.handle(hex("81 09 04 00 FF"), 61000).replies), QString("90 50 03 FF"));
}

void SimProtocolTest::speaks_the_whole_catalog()
{
    namespace catalog = visca::catalog;
    ViscaCamera camera;
    // Every inquiry answered in a form the catalog reads, every value in range.
    for (const catalog::Entry &entry : catalog::entries()) {
        if (entry.kind != catalog::Kind::inquiry)
            continue;
        const ViscaCamera::Answer answer = camera.handle(catalog::build(entry, 1, {}), 0);
        QVERIFY2(answer.replies.size() == 1 &&
                     catalog::read_answer(entry, answer.replies.first()).has_value(),
                 qPrintable(entry.name + ": " + spaced(answer.replies)));
    }
    // A setting is kept and answered back; a step moves it by one.
    const auto answered = [&camera](const char *inquiry) {
        return spaced(camera.handle(hex(inquiry), 0).replies);
    };
    const auto set = [&camera](const char *command) {
        QCOMPARE(spaced(camera.handle(hex(command), 0).replies), QString("90 41 FF"));
    };
    set("81 01 04 4A 00 00 01 02 FF");
    QCOMPARE(answered("81 09 04 4A FF"), QString("90 50 00 00 01 02 FF"));
    set("81 01 04 0A 02 FF");
    QCOMPARE(answered("81 09 04 4A FF"), QString("90 50 00 00 01 03 FF"));
    set("81 01 04 61 02 FF");
    QCOMPARE(answered("81 09 04 61 FF"), QString("90 50 02 FF"));
    set("81 01 04 35 05 FF");
    QCOMPARE(answered("81 09 04 35 FF"), QString("90 50 05 FF"));
}

QTEST_APPLESS_MAIN(SimProtocolTest)
#include "tst_sim_protocol.moc"
