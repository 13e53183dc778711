// Moves recorded from the pad and played back on the simulated camera:
// the steps as config.ini keeps them, a played move ending where the
// recorded one ended, and a play ended by the operator with one stop.

#include "app/mainwindow.h"
#include "control/move_steps.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/positions.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QtTest>

Q_DECLARE_METATYPE(QList<MoveStep>)

namespace {
void show_tab(MainWindow &window, const char *name)
{
    control<QTabWidget>(&window, "tabWidget")->setCurrentWidget(control<QWidget>(&window, name));
}

// Where the camera is: pan and zoom.
QPoint pan_and_zoom(SimProcess &camera)
{
    const auto pan_tilt = visca::read_pan_tilt(camera.inquire(visca::pan_tilt_position_inquiry(1)));
    const auto zoom = visca::read_lens(camera.inquire(visca::zoom_position_inquiry(1)));
    return pan_tilt && zoom ? QPoint(pan_tilt->pan, *zoom) : QPoint(INT_MIN, INT_MIN);
}

// A pad button held for `ms`, until the camera has its stop.
void hold(MainWindow &window, SimProcess &camera, const char *button, const QString &stop, int ms)
{
    const int before = camera.lines().filter(stop).size();
    auto *pad = control<QPushButton>(&window, button);
    QTest::mousePress(pad, Qt::LeftButton);
    QTest::qWait(ms);
    QTest::mouseRelease(pad, Qt::LeftButton);
    QVERIFY(wait_until([&] { return camera.lines().filter(stop).size() == before + 1; }, 5000));
}

bool playing(MainWindow &window)
{
    return control<QPushButton>(&window, "playMoveButton")->text() == "Stop playing";
}
} // namespace

class MovesTest : public QObject
{
    Q_OBJECT
private slots:
    void steps_as_text_data();
    void steps_as_text();
    void a_played_move_ends_where_the_recorded_one_ended();
    void a_play_ends_with_one_stop_data();
    void a_play_ends_with_one_stop();
};

void MovesTest::steps_as_text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<QList<MoveStep>>("steps");
    const QList<MoveStep> move = {
        {0, Axis::PanTilt, {1, -1}, {10, 8}}, {400, Axis::Zoom, {1, 0}, {3, 0}},
        {900, Axis::PanTilt, {}, {}},         {950, Axis::Focus, {-1, 0}, {0, 0}},
        {1200, Axis::Zoom, {}, {}},           {1200, Axis::Focus, {}, {}}};
    QTest::newRow("every axis")
        << "0 pan-tilt 1 -1 10 8 | 400 zoom 1 3 | 900 pan-tilt stop | 950 focus -1 0 | "
           "1200 zoom stop | 1200 focus stop"
        << true << move;
    QTest::newRow("none") << "" << true << QList<MoveStep>();
    QTest::newRow("back in time") << "500 zoom 1 3 | 400 zoom stop" << false << QList<MoveStep>();
    QTest::newRow("no axis") << "0 tilt 1 3" << false << QList<MoveStep>();
    QTest::newRow("still way") << "0 pan-tilt 0 0 5 5" << false << QList<MoveStep>();
    QTest::newRow("pan speed too high") << "0 pan-tilt 1 0 25 5" << false << QList<MoveStep>();
    QTest::newRow("zoom speed too high") << "0 zoom 1 8" << false << QList<MoveStep>();
    QTest::newRow("past an hour") << "3600001 zoom stop" << false << QList<MoveStep>();
    QTest::newRow("words missing") << "0 pan-tilt 1 0 5" << false << QList<MoveStep>();
    QTest::newRow("empty step") << "0 zoom stop||" << false << QList<MoveStep>();
    QTest::newRow("too many steps")
        << QString("0 zoom stop | ").repeated(most_move_steps) + "0 zoom stop" << false
        << QList<MoveStep>();
}

void MovesTest::steps_as_text()
{
    QFETCH(QString, text);
    QFETCH(bool, reads);
    QFETCH(QList<MoveStep>, steps);
    const std::optional<QList<MoveStep>> read = read_move(text);
    QCOMPARE(bool(read), reads);
    if (!reads)
        return;
    QCOMPARE(*read, steps);
    QCOMPARE(move_text(steps), text);
}

void MovesTest::a_played_move_ends_where_the_recorded_one_ended()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\n");
    SimProcess camera;
    QVERIFY(camera.started());
    QPoint start;
    {
        MainWindow window;
        show_exposed(&window);
        attach_over_udp(window, camera);
        show_tab(window, "tab_ptz");
        hold(window, camera, "ptz_leftButton", "pan-tilt stop", 150);
        start = pan_and_zoom(camera);

        auto *record = control<QPushButton>(&window, "recordMoveButton");
        QCOMPARE(record->text(), QString("Record move"));
        click(record);
        QVERIFY(wait_until([&] { return record->text() == "Stop recording"; }, 5000));
        hold(window, camera, "ptz_rightButton", "pan-tilt stop", 700);
        hold(window, camera, "zoomin_Button", "zoom stop", 300);
        click(record);
        QCOMPARE(record->text(), QString("Record move"));
        const QPoint recorded_end = pan_and_zoom(camera);
        auto *moves = control<QComboBox>(&window, "movesBox");
        QCOMPARE(moves->count(), 1);
        QCOMPARE(moves->currentText(), QString("Move 1"));

        // Home, then the move: a Go to its start first, then its drives.
        click(window, "ptz_resetButton");
        QVERIFY(wait_until([&] { return pan_and_zoom(camera).x() == 0; }, 5000));
        const int drives_before = camera.lines().filter("pan right").size();
        click(window, "playMoveButton");
        QVERIFY(wait_until([&] { return playing(window); }, 5000));
        QVERIFY(wait_until([&] { return !playing(window); }, 10000));
        QVERIFY(camera.lines()
                    .filter("pan-tilt absolute")
                    .last()
                    .contains(QString("absolute %1, ").arg(start.x())));
        QCOMPARE(camera.lines().filter("pan right").size(), drives_before + 1);
        QVERIFY(wait_until([&] { return camera.lines().filter("zoom stop").size() == 2; }, 5000));
        const QPoint played_end = pan_and_zoom(camera);
        // The drives go at the recorded times, give or take a scheduler's
        // delay: a quarter of each distance covers a busy machine.
        const QPoint recorded = recorded_end - start;
        QVERIFY2(
            qAbs(played_end.x() - recorded_end.x()) <= qAbs(recorded.x()) / 4,
            qPrintable(QString("pan %1, recorded %2").arg(played_end.x()).arg(recorded_end.x())));
        QVERIFY2(
            qAbs(played_end.y() - recorded_end.y()) <= qAbs(recorded.y()) / 4,
            qPrintable(QString("zoom %1, recorded %2").arg(played_end.y()).arg(recorded_end.y())));
        ModalCatcher catcher(QMessageBox::Ok);
        window.close();
    }
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERA_1_MOVES/1/Name").toString(), QString("Move 1"));
    QCOMPARE(stored.value("CAMERA_1_MOVES/1/Pan").toString(), QString::number(start.x()));
    const QString drives = stored.value("CAMERA_1_MOVES/1/Drives").toString();
    QVERIFY2(QRegularExpression("^\\d+ pan-tilt 1 0 \\d+ \\d+ \\| \\d+ pan-tilt stop \\| "
                                "\\d+ zoom 1 \\d \\| \\d+ zoom stop$")
                 .match(drives)
                 .hasMatch(),
             qPrintable(drives));
}

void MovesTest::a_play_ends_with_one_stop_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("a press") << "press";
    QTest::newRow("Stop playing") << "stop";
    QTest::newRow("Mode") << "mode";
    QTest::newRow("Go") << "go";
}

void MovesTest::a_play_ends_with_one_stop()
{
    QFETCH(QString, ending);
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    // Right for a minute, then left: what comes after the end never goes.
    folder.write("config.ini", "[CAMERA_1_MOVES]\nsize=1\n1\\Name=Long\n1\\Pan=-200\n"
                               "1\\Tilt=0\n1\\Zoom=0\n1\\Drives=0 pan-tilt 1 0 1 1 | "
                               "60000 pan-tilt -1 0 1 1 | 61000 pan-tilt stop\n"
                               "[CAMERA_1_POSITIONS]\nsize=1\n1\\Name=P\n1\\Pan=300\n"
                               "1\\Tilt=0\n1\\Zoom=0\n");
    MainWindow window;
    show_exposed(&window);
    attach_over_udp(window, camera);
    show_tab(window, "tab_cameras");
    click(window, "playMoveButton");
    QVERIFY(camera.wait_for("pan right at 1/1", 5000));
    QVERIFY(playing(window));
    if (ending == "press") {
        show_tab(window, "tab_ptz");
        auto *zoom = control<QPushButton>(&window, "zoomin_Button");
        QTest::mousePress(zoom, Qt::LeftButton);
        QVERIFY(camera.wait_for("zoom tele"));
        QTest::mouseRelease(zoom, Qt::LeftButton);
        QVERIFY(camera.wait_for("zoom stop"));
    } else if (ending == "stop") {
        click(window, "playMoveButton");
    } else if (ending == "mode") {
        click(window, "radioButton_9");
    } else {
        control<QListWidget>(&window, "positionsList")->setCurrentRow(0);
        click(window, "goPositionButton");
        QVERIFY(camera.wait_for("absolute 300, 0"));
    }
    QVERIFY(wait_until([&] { return !playing(window); }));
    QVERIFY(camera.wait_for("pan-tilt stop"));
    // The stop is confirmed: the camera had it once, and the pan is still.
    const int pan = pan_and_zoom(camera).x();
    QCOMPARE(camera.lines().filter("pan-tilt stop").size(), 1);
    QCOMPARE(camera.lines().filter("pan left").size(), 0);
    if (ending != "go")
        QCOMPARE(pan_and_zoom(camera).x(), pan);
}

QTEST_MAIN(MovesTest)
#include "tst_moves.moc"
