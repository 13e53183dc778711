// The simulated camera's protocol: message cutting, every reply code, the
// state commands leave behind and the limits of motion.

#include "visca_camera.h"

#include <QtTest>

namespace {
QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

QString spaced(const QList<QByteArray> &replies)
{
    QStringList all;
    for (const QByteArray &reply : replies)
        all << QString::fromLatin1(reply.toHex(' ').toUpper());
    return all.join(" | ");
}
} // namespace

class SimProtocolTest : public QObject
{
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
    void strict_speed_refuses_zero();
    void drive_moves_at_its_speed_and_stops_at_the_limit();
    void presets_store_and_recall();
    void zoom_focus_and_inquiries();
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
    QTest::newRow("tilt speed past 14h") << hex("81 01 06 01 01 15 03 01 FF") << "90 60 02 FF"
                                         << false << "syntax error: 81 01 06 01 01 15 03 01 FF";
    QTest::newRow("bad direction") << hex("81 01 06 01 01 01 04 03 FF") << "90 60 02 FF" << false
                                   << "syntax error: 81 01 06 01 01 01 04 03 FF";
    QTest::newRow("home") << hex("81 01 06 04 FF") << "90 41 FF" << true << "home";
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

void SimProtocolTest::strict_speed_refuses_zero()
{
    ViscaCamera camera(true);
    QCOMPARE(spaced(camera.handle(hex("81 01 06 01 00 01 01 03 FF"), 0).replies),
             QString("90 60 02 FF"));
    QCOMPARE(spaced(camera.handle(hex("81 01 06 01 01 01 01 03 FF"), 0).replies),
             QString("90 41 FF"));
}

void SimProtocolTest::drive_moves_at_its_speed_and_stops_at_the_limit()
{
    ViscaCamera camera;
    camera.handle(hex("81 01 06 01 0A 05 02 01 FF"), 0); // right at 10, up at 5
    const ViscaCamera::Position after_one_second = camera.position(1000);
    QCOMPARE(after_one_second.pan, 1000);
    QCOMPARE(after_one_second.tilt, 300);
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
             QString("90 50 0F 0F 09 0C 0F 0F 0C 04 FF")); // pan -100, tilt -60
    camera.handle(hex("81 01 04 00 03 FF"), 61000);
    QCOMPARE(spaced(camera.handle(hex("81 09 04 00 FF"), 61000).replies), QString("90 50 03 FF"));
}

QTEST_APPLESS_MAIN(SimProtocolTest)
#include "tst_sim_protocol.moc"
