// A game controller as one more input of the hold owner: the stick and
// trigger mapping, the rate limit, each button, and the stop when the pad
// goes or a box opens. Driven by an SDL virtual pad against a recording link.

#include "control/camera_control.h"
#include "control/link_channel.h"
#include "control/pad_mapping.h"
#include "input/gamepad.h"
#include "recording_link.h"
#include "virtual_pad.h"

#include <QtTest>
#include <cmath>

namespace {
const QString stop = "81 01 06 01 03 03 03 03 FF";
} // namespace

class GamePadTest : public QObject
{
    Q_OBJECT
private slots:
    void stick_mapping_data();
    void stick_mapping();
    void zoom_mapping_data();
    void zoom_mapping();
    void init();
    void cleanup();
    void stick_speed_follows_deflection();
    void speed_steps_are_50_ms_apart();
    void buttons_data();
    void buttons();
    void back_and_start_step_through_the_cameras();
    void unplugging_mid_drive_stops_once();
    void box_mid_drive_stops_once_until_the_stick_rests();

private:
    // Waits until the link has seen `count` commands.
    bool written(int count)
    {
        return QTest::qWaitFor([&] { return link->written.size() >= count; });
    }

    RecordingLink *link = nullptr;
    LinkChannel *channel = nullptr;
    CameraControl *control = nullptr;
    Holds *holds = nullptr;
    GamePad *gamepad = nullptr;
    VirtualPad *pad = nullptr;
    bool blocked = false;
};

void GamePadTest::stick_mapping_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPoint>("way");
    QTest::addColumn<int>("pan");
    QTest::addColumn<int>("tilt");
    const double degrees = 3.14159265358979323846 / 180;
    QTest::newRow("at rest") << 0.0 << 0.0 << QPoint() << 0 << 0;
    QTest::newRow("inside the dead zone") << 0.1 << -0.1 << QPoint() << 0 << 0;
    QTest::newRow("just past it") << 0.16 << 0.0 << QPoint(1, 0) << 1 << 1;
    QTest::newRow("past halfway up") << 0.0 << -0.6 << QPoint(0, -1) << 13 << 11;
    QTest::newRow("left at the rim") << -1.0 << 0.0 << QPoint(-1, 0) << 24 << 20;
    QTest::newRow("up-left") << -0.7 << -0.7 << QPoint(-1, -1) << 24 << 20;
    QTest::newRow("22 degrees is right")
        << std::cos(22 * degrees) << std::sin(22 * degrees) << QPoint(1, 0) << 24 << 20;
    QTest::newRow("23 degrees is down-right")
        << std::cos(23 * degrees) << std::sin(23 * degrees) << QPoint(1, 1) << 24 << 20;
    QTest::newRow("a square gate's corner") << 1.0 << 1.0 << QPoint(1, 1) << 24 << 20;
}

void GamePadTest::stick_mapping()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPoint, way);
    QFETCH(int, pan);
    QFETCH(int, tilt);
    const pad_mapping::StickDrive drive = pad_mapping::pan_tilt(x, y);
    QCOMPARE(drive.way, way);
    if (!way.isNull()) {
        QCOMPARE(drive.pan_speed, pan);
        QCOMPARE(drive.tilt_speed, tilt);
    }
}

void GamePadTest::zoom_mapping_data()
{
    QTest::addColumn<double>("deflection");
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("speed");
    QTest::newRow("inside the dead zone") << -0.14 << 0 << 0;
    QTest::newRow("just past it") << 0.16 << 1 << 0;
    QTest::newRow("past halfway tele") << 0.6 << 1 << 4;
    QTest::newRow("all the way wide") << -1.0 << -1 << 7;
}

void GamePadTest::zoom_mapping()
{
    QFETCH(double, deflection);
    QFETCH(int, way);
    QFETCH(int, speed);
    const pad_mapping::LensDrive drive = pad_mapping::zoom(deflection);
    QCOMPARE(drive.way, way);
    if (way != 0)
        QCOMPARE(drive.speed, speed);
}

void GamePadTest::init()
{
    link = new RecordingLink;
    channel = new LinkChannel(*link);
    control = new CameraControl([this] { return CameraControl::Target{channel, 1}; });
    holds = new Holds(
        *control,
        {[] { return 14; }, [] { return 14; }, [] { return 3; }, [] { return 3; }, {}, {}});
    pad = new VirtualPad;
    QVERIFY(pad->plugged());
    gamepad = new GamePad(*holds, [this] { return blocked; });
    blocked = false;
    QTRY_COMPARE(gamepad->attached(), 1);
}

void GamePadTest::cleanup()
{
    delete pad;
    delete gamepad;
    delete holds;
    delete control;
    delete channel;
    delete link;
}

void GamePadTest::stick_speed_follows_deflection()
{
    pad->move(SDL_CONTROLLER_AXIS_LEFTX, 1);
    QVERIFY(written(1));
    pad->move(SDL_CONTROLLER_AXIS_LEFTX, 0.6);
    QVERIFY(written(2));
    pad->move(SDL_CONTROLLER_AXIS_LEFTX, 0.05); // inside the dead zone
    QVERIFY(written(3));
    QCOMPARE(link->written,
             QStringList({"81 01 06 01 18 14 02 03 FF", "81 01 06 01 0D 0B 02 03 FF", stop}));
}

void GamePadTest::speed_steps_are_50_ms_apart()
{
    // A hand shaking the stick through every step, a change every 2 ms.
    for (int step = 0; step <= 60; ++step) {
        pad->move(SDL_CONTROLLER_AXIS_LEFTY, step % 2 ? 0.3 + step / 100.0 : 1.0 - step / 100.0);
        QTest::qWait(2);
    }
    pad->move(SDL_CONTROLLER_AXIS_LEFTY, 1);
    QTRY_COMPARE(link->written.last(), QString("81 01 06 01 18 14 03 02 FF"));
    for (int i = 1; i < link->written_ms.size(); ++i)
        QVERIFY2(link->written_ms[i] - link->written_ms[i - 1] >= GamePad::least_interval_ms - 2,
                 qPrintable(QString("%1 ms after the one before")
                                .arg(link->written_ms[i] - link->written_ms[i - 1])));
}

void GamePadTest::buttons_data()
{
    QTest::addColumn<int>("button"); // a button, or an axis plus 100
    QTest::addColumn<QStringList>("sent");
    const auto axis = [](SDL_GameControllerAxis which) { return 100 + int(which); };
    QTest::newRow("d-pad up: the speed boxes' speeds")
        << int(SDL_CONTROLLER_BUTTON_DPAD_UP) << QStringList{"81 01 06 01 0E 0E 03 01 FF", stop};
    QTest::newRow("left shoulder: focus near")
        << int(SDL_CONTROLLER_BUTTON_LEFTSHOULDER)
        << QStringList{"81 01 04 38 03 FF", "81 01 04 08 33 FF", "81 01 04 08 00 FF"};
    QTest::newRow("right shoulder: focus far")
        << int(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)
        << QStringList{"81 01 04 38 03 FF", "81 01 04 08 23 FF", "81 01 04 08 00 FF"};
    QTest::newRow("right trigger: zoom in")
        << axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT)
        << QStringList{"81 01 04 07 27 FF", "81 01 04 07 00 FF"};
    QTest::newRow("left trigger: zoom out")
        << axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT)
        << QStringList{"81 01 04 07 37 FF", "81 01 04 07 00 FF"};
    QTest::newRow("right stick down: zoom out")
        << axis(SDL_CONTROLLER_AXIS_RIGHTY)
        << QStringList{"81 01 04 07 37 FF", "81 01 04 07 00 FF"};
    QTest::newRow("south: Home") << int(SDL_CONTROLLER_BUTTON_A) << QStringList{"81 01 06 04 FF"};
    QTest::newRow("west: preset 1")
        << int(SDL_CONTROLLER_BUTTON_X) << QStringList{"81 01 04 3F 02 01 FF"};
    QTest::newRow("north: preset 2")
        << int(SDL_CONTROLLER_BUTTON_Y) << QStringList{"81 01 04 3F 02 02 FF"};
    QTest::newRow("east: preset 3")
        << int(SDL_CONTROLLER_BUTTON_B) << QStringList{"81 01 04 3F 02 03 FF"};
}

// Pressed (or pushed all the way) and let go.
void GamePadTest::buttons()
{
    QFETCH(int, button);
    QFETCH(QStringList, sent);
    connect(gamepad, &GamePad::home, control, &CameraControl::home);
    connect(gamepad, &GamePad::recall, control,
            [this](int preset) { control->preset(false, preset); });
    const auto set = [&](bool down) {
        if (button >= 100)
            pad->move(SDL_GameControllerAxis(button - 100), down ? 1 : 0);
        else
            pad->press(SDL_GameControllerButton(button), down);
    };
    set(true);
    QVERIFY(written(sent.size() == 1 ? 1 : sent.size() - 1));
    set(false);
    QVERIFY(written(sent.size()));
    QCOMPARE(link->written, sent);
}

void GamePadTest::back_and_start_step_through_the_cameras()
{
    QSignalSpy steps(gamepad, &GamePad::step_camera);
    int pressed = 0;
    for (const SDL_GameControllerButton button :
         {SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_BACK}) {
        pad->press(button);
        ++pressed;
        QTRY_COMPARE_WITH_TIMEOUT(steps.count(), pressed, 5000);
        pad->press(button, false);
    }
    QCOMPARE(steps.at(0).at(0).toInt(), 1);
    QCOMPARE(steps.at(1).at(0).toInt(), -1);
    QCOMPARE(link->written, QStringList());
}

void GamePadTest::unplugging_mid_drive_stops_once()
{
    pad->move(SDL_CONTROLLER_AXIS_LEFTX, -1);
    QVERIFY(written(1));
    pad->unplug();
    QTRY_COMPARE(gamepad->attached(), 0);
    QCOMPARE(link->written, QStringList({"81 01 06 01 18 14 01 03 FF", stop}));
}

void GamePadTest::box_mid_drive_stops_once_until_the_stick_rests()
{
    pad->move(SDL_CONTROLLER_AXIS_LEFTX, 1);
    QVERIFY(written(1));
    blocked = true; // a box opens
    QVERIFY(written(2));
    pad->press(SDL_CONTROLLER_BUTTON_A); // Home, not taken while the box is open
    QTest::qWait(2 * GamePad::least_interval_ms);
    pad->press(SDL_CONTROLLER_BUTTON_A, false);
    blocked = false;
    // The stick is still pushed: it starts nothing. The d-pad, pressed
    // afresh, drives.
    pad->press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    QVERIFY(written(3));
    pad->press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    QVERIFY(written(4));
    // Back at rest, the stick drives again.
    QVERIFY(gamepad->waits_for_rest());
    pad->move(SDL_CONTROLLER_AXIS_LEFTX, 0);
    QTRY_VERIFY(!gamepad->waits_for_rest());
    pad->move(SDL_CONTROLLER_AXIS_LEFTX, 1);
    QVERIFY(written(5));
    QCOMPARE(link->written,
             QStringList({"81 01 06 01 18 14 02 03 FF", stop, "81 01 06 01 0E 0E 03 02 FF", stop,
                          "81 01 06 01 18 14 02 03 FF"}));
}

QTEST_MAIN(GamePadTest)
#include "tst_gamepad.moc"
