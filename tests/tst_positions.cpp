// Where the camera is: live position asked quietly, and positions kept by
// the program, against the simulated camera in both of its pan profiles.

#include "app/mainwindow.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/positions.h"
#include "visca/visca_over_ip.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <csignal>

namespace {
void show_tab(MainWindow &window, const char *name)
{
    control<QTabWidget>(&window, "tabWidget")->setCurrentWidget(control<QWidget>(&window, name));
}

int pan_of(SimProcess &camera)
{
    const auto now = visca::read_pan_tilt(camera.inquire(visca::pan_tilt_position_inquiry(1)));
    return now ? now->pan : INT_MIN;
}

// Held on the pad for `ms`, then let go; the camera has taken `stops`
// stops after.
void drive(MainWindow &window, SimProcess &camera, const char *button, int ms, int stops = 1)
{
    const int before = camera.lines().filter("pan-tilt stop").size();
    show_tab(window, "tab_ptz");
    auto *pad = control<QPushButton>(&window, button);
    QTest::mousePress(pad, Qt::LeftButton);
    QTest::qWait(ms);
    QTest::mouseRelease(pad, Qt::LeftButton);
    QVERIFY(wait_until(
        [&] { return camera.lines().filter("pan-tilt stop").size() == before + stops; }, 5000));
}
} // namespace

namespace {
// An English window's one camera, on the network at `port` over `link`.
void one_network_camera(ScratchFolder &folder, quint16 port, const QString &link)
{
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=English\n"
                                       "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERA_1]\nLink=%2\n")
                                   .arg(port)
                                   .arg(link)
                                   .toUtf8());
}
} // namespace

class PositionsTest : public QObject
{
    Q_OBJECT
private slots:
    void keep_and_go_data();
    void keep_and_go();
    void asking_stays_out_of_the_log_and_out_of_a_loop();
    void kept_positions_survive_a_save();
    void a_kept_position_goes_to_the_camera_asked();
    void a_lost_round_keeps_the_last_position();
    void answers_find_their_inquiry_by_number();
    void a_go_arrives_on_both_axes_together();
    void a_go_runs_on_when_another_camera_is_chosen();
    void f_keys_go_to_kept_positions_on_the_ptz_tab();
    void only_the_lost_inquiry_is_asked_again();
};

void PositionsTest::keep_and_go_data()
{
    QTest::addColumn<QString>("profile");
    QTest::newRow("five pan digits") << "newer";
    QTest::newRow("four pan digits") << "older";
}

void PositionsTest::keep_and_go()
{
    QFETCH(QString, profile);
    ScratchFolder folder;
    SimProcess camera({"--profile", profile});
    QVERIFY(camera.started());
    MainWindow window;
    show_exposed(&window);
    attach_over_udp(window, camera);
    drive(window, camera, "ptz_rightButton", 300);
    const int kept = pan_of(camera);
    QVERIFY(kept > 0);

    show_tab(window, "tab_cameras");
    auto *positions = control<QListWidget>(&window, "positionsList");
    click(window, "keepPositionButton");
    QVERIFY(wait_until([&] { return positions->count() == 1; }, 5000));
    QCOMPARE(positions->item(0)->text(), QString("位置 1"));

    drive(window, camera, "ptz_leftButton", 600);
    QVERIFY(pan_of(camera) < 0);
    show_tab(window, "tab_cameras");
    positions->setCurrentRow(0);
    const auto replies = [&] { return log_lines(window).filter("RX").size(); };
    const int replied = replies();
    click(window, "goPositionButton");
    QVERIFY(wait_until([&] { return qAbs(pan_of(camera) - kept) <= 1; }, 10000));
    // Arrived and completed: the next press owes the Go no stop.
    QVERIFY(wait_until([&] { return replies() == replied + 4; }));
    drive(window, camera, "ptz_leftButton", 100);
    QCOMPARE(camera.lines().filter("zoom stop").size(), 0);

    // A press during the move stops it, once, and nothing resumes it.
    drive(window, camera, "ptz_leftButton", 600);
    control<QComboBox>(&window, "hcomboBox")->setCurrentIndex(0); // the slowest pan
    show_tab(window, "tab_cameras");
    const int moves = camera.lines().filter("pan-tilt absolute").size();
    click(window, "goPositionButton");
    QVERIFY(wait_until([&] { return camera.lines().filter("pan-tilt absolute").size() > moves; },
                       5000));
    // The move's stop, then the press's own.
    drive(window, camera, "ptz_upButton", 50, 2);
    const int stopped = pan_of(camera);
    QTest::qWait(300);
    QCOMPARE(pan_of(camera), stopped);
    QVERIFY(qAbs(stopped - kept) > 1);
}

void PositionsTest::asking_stays_out_of_the_log_and_out_of_a_loop()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    MainWindow window;
    show_exposed(&window);
    attach_over_udp(window, camera);
    auto *log = control<QPlainTextEdit>(&window, "textEdit");
    wait_for_log_frame(log);
    const int lines = log_lines(window).size();
    show_tab(window, "tab_cameras");
    QVERIFY(wait_until([&] { return !camera_cell(window, 0, 4).isEmpty(); }, 5000));
    const int asked = camera.lines().filter("inquiry: pan").size();
    QVERIFY(wait_until([&] { return camera.lines().filter("inquiry: pan").size() >= asked + 2; },
                       5000));
    wait_for_log_frame(log);
    QCOMPARE(log_lines(window).size(), lines);

    // A loop on the link as fast as the camera answers: no position asked.
    show_tab(window, "tab_manual");
    control<QPlainTextEdit>(&window, "plainTextEdit")->setPlainText("81 09 04 00 FF");
    click(window, "checkBox");
    control<QLineEdit>(&window, "lineEdit")->setText("0");
    click(window, "pushButton_13");
    show_tab(window, "tab_cameras");
    const int before = camera.lines().filter("inquiry: pan").size();
    const int powers = camera.lines().filter("inquiry: power").size();
    QVERIFY(wait_until([&] { return camera.lines().filter("inquiry: power").size() > powers + 50; },
                       5000));
    QCOMPARE(camera.lines().filter("inquiry: pan").size(), before);
    show_tab(window, "tab_manual");
    click(window, "pushButton_13");
}

void PositionsTest::kept_positions_survive_a_save()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\n"
                               "[CAMERA_1_POSITIONS]\nsize=2\n1\\Name=Pulpit\n1\\Pan=-120\n"
                               "1\\Tilt=40\n1\\Zoom=5000\n1\\Focus=\n"
                               "2\\Name=Broken\n2\\Pan=abc\n2\\Tilt=1\n2\\Zoom=2\n2\\Colour=red\n"
                               "[CAMERA_2]\nName=Choir\n"
                               "[CAMERA_2_POSITIONS]\nsize=1\n1\\Name=Wide\n1\\Pan=0\n1\\Tilt=0\n"
                               "1\\Zoom=0\n1\\Focus=4096\n");
    const QByteArray before = QSettings(folder.file("config.ini"), QSettings::IniFormat)
                                  .value("CAMERA_1_POSITIONS/2/Pan")
                                  .toByteArray();
    {
        MainWindow window;
        auto *positions = control<QListWidget>(&window, "positionsList");
        QCOMPARE(positions->count(), 2);
        QCOMPARE(positions->item(0)->text(), QString("Pulpit"));
        QCOMPARE(positions->item(1)->text(), QString("Broken (cannot be used)"));
        ModalCatcher catcher(QMessageBox::Ok);
        window.show();
        window.close();
    }
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERA_1_POSITIONS/size").toInt(), 2);
    QCOMPARE(stored.value("CAMERA_1_POSITIONS/1/Pan").toString(), QString("-120"));
    QCOMPARE(stored.value("CAMERA_1_POSITIONS/1/Focus").toString(), QString());
    QCOMPARE(stored.value("CAMERA_1_POSITIONS/2/Pan").toByteArray(), before);
    QCOMPARE(stored.value("CAMERA_1_POSITIONS/2/Colour").toString(), QString("red"));
    QCOMPARE(stored.value("CAMERA_2_POSITIONS/1/Name").toString(), QString("Wide"));
    QCOMPARE(stored.value("CAMERA_2_POSITIONS/1/Focus").toString(), QString("4096"));
}

void PositionsTest::a_kept_position_goes_to_the_camera_asked()
{
    // Keep on camera 2; camera 1 is removed before the answers come: the
    // position is camera 2's, not that of the camera now at its place.
    ScratchFolder folder;
    UdpPeer one, two, three;
    folder.write("config.ini",
                 QString("[LANGUAGE_CONF]\nlanguage=English\n"
                         "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                         "[CAMERA_1]\nName=One\nLink=UDP\n"
                         "[CAMERA_2]\nName=Two\nLink=UDP\nAddress=127.0.0.1\nPort=%2\n"
                         "[CAMERA_3]\nName=Three\nLink=UDP\nAddress=127.0.0.1\nPort=%3\n"
                         "[CAMERA_2_POSITIONS]\n1\\Name=Position 2\n1\\Pan=1\n1\\Tilt=1\n"
                         "1\\Zoom=1\n2\\Name=Position 3\n2\\Pan=2\n2\\Tilt=2\n"
                         "2\\Zoom=2\nsize=2\n"
                         "[CAMERAS]\nActive=2\n")
                     .arg(one.port())
                     .arg(two.port())
                     .arg(three.port())
                     .toUtf8());
    MainWindow window;
    click(window, "pushButton_15");
    show_tab(window, "tab_cameras");
    click(window, "keepPositionButton");
    QCOMPARE(two.read(4).size(), 4);
    pick_camera_row(window, 0);
    click(window, "removeCameraButton");
    QCOMPARE(camera_cell(window, 0, 0), QString("Two"));
    // The question whether it answers, asked when its link opened, first.
    for (const char *answer : {"90 50 02 FF", "90 50 00 00 00 01 02 00 00 03 04 FF",
                               "90 50 00 01 02 03 FF", "90 50 00 00 01 00 FF", "90 50 02 FF"})
        two.reply(hex(answer));
    auto *kept = control<QListWidget>(&window, "positionsList");
    // Named after the highest number kept: "Position 1" deleted before,
    // "Position 3" is not given twice.
    QVERIFY(wait_until([&] { return kept->count() == 3; }));
    QCOMPARE(kept->item(2)->text(), QString("Position 4"));
    pick_camera_row(window, 1);
    QCOMPARE(kept->count(), 0);
}

void PositionsTest::a_lost_round_keeps_the_last_position()
{
    ScratchFolder folder;
    UdpPeer camera;
    one_network_camera(folder, camera.port(), "UDP");
    MainWindow window;
    // Keep on a camera not connected says so under the list.
    show_tab(window, "tab_cameras");
    click(window, "keepPositionButton");
    QCOMPARE(control<QLabel>(&window, "camerasNote")->text(),
             QString("Camera 1 did not say where it is: no position was kept"));
    show_tab(window, "tab_ptz");
    click(window, "pushButton_15");
    click(window, "ptz_resetButton");
    QCOMPARE(camera.read(1).size(), 1);
    camera.reply(hex("90 41 FF"));
    camera.reply(hex("90 51 FF"));
    show_tab(window, "tab_cameras");
    QCOMPARE(camera.read(3, 5000).size(), 3);
    for (const char *answer :
         {"90 50 00 00 00 01 02 00 00 03 04 FF", "90 50 00 01 02 03 FF", "90 50 00 00 01 00 FF"})
        camera.reply(hex(answer));
    const auto shown = [&] { return camera_cell(window, 0, 4); };
    const auto colour = [&] {
        return camera_data(window, 0, 4, Qt::ForegroundRole).value<QBrush>().color();
    };
    const QString position = "pan 18, tilt 52, zoom 291 (2 %), focus 16";
    QVERIFY(wait_until([&] { return shown() == position; }));
    const QColor fresh = colour();
    // The next round goes unanswered: the position stays, greyed, with its age.
    QCOMPARE(camera.read(3, 5000).size(), 3);
    QVERIFY(wait_until([&] { return shown().startsWith(position + ", "); }, 5000));
    QVERIFY(shown().endsWith(" s ago"));
    QVERIFY(colour() != fresh);

    // Keep, its first round lost: the camera is asked again, and the
    // position kept. Only Keep's rounds ask for the focus mode.
    click(window, "keepPositionButton");
    for (int keep_rounds = 0; keep_rounds < 2;) {
        const QList<QByteArray> asked = camera.read(1, 5000);
        QCOMPARE(asked.size(), 1);
        keep_rounds += asked.at(0) == hex("81 09 04 38 FF");
    }
    for (const char *answer : {"90 50 00 00 00 01 02 00 00 03 04 FF", "90 50 00 01 02 03 FF",
                               "90 50 00 00 01 00 FF", "90 50 03 FF"})
        camera.reply(hex(answer));
    auto *kept = control<QListWidget>(&window, "positionsList");
    QVERIFY(wait_until([&] { return kept->count() == 1; }));
}

void PositionsTest::answers_find_their_inquiry_by_number()
{
    // Over VISCA over IP the camera answers a round backwards: focus
    // first, pan-tilt last. Each answer is its own inquiry's, by number.
    ScratchFolder folder;
    UdpPeer camera;
    one_network_camera(folder, camera.port(), "VISCA over IP");
    MainWindow window;
    show_tab(window, "tab_ptz");
    click(window, "pushButton_15");
    QCOMPARE(camera.read(1).size(), 1); // the numbering's reset
    const auto answer = [&](const QByteArray &datagram, const char *visca) {
        const auto asked = visca_over_ip::unpack(datagram);
        QVERIFY(asked);
        camera.reply(visca_over_ip::pack(visca_over_ip::reply, asked->sequence, hex(visca)));
    };
    click(window, "ptz_resetButton");
    const QList<QByteArray> home = camera.read(1);
    QCOMPARE(home.size(), 1);
    answer(home.at(0), "90 41 FF");
    answer(home.at(0), "90 51 FF");
    show_tab(window, "tab_cameras");
    const QList<QByteArray> round = camera.read(3, 5000);
    QCOMPARE(round.size(), 3);
    answer(round.at(2), "90 50 00 00 01 00 FF");
    answer(round.at(1), "90 50 00 01 02 03 FF");
    answer(round.at(0), "90 50 00 00 00 01 02 00 00 03 04 FF");
    QVERIFY(wait_until(
        [&] { return camera_cell(window, 0, 4) == "pan 18, tilt 52, zoom 291 (2 %), focus 16"; }));
}

QTEST_MAIN(PositionsTest)
#include "tst_positions.moc"

void PositionsTest::a_go_arrives_on_both_axes_together()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    const QList<QPoint> kept = {{2400, 600}, {0, -1000}, {-1200, 600}};
    QString positions =
        QString("[CAMERA_1]\nGoSpeed=24\n[CAMERA_1_POSITIONS]\nsize=%1\n").arg(kept.size());
    for (int i = 0; i < kept.size(); ++i)
        positions += QString("%1\\Name=P%1\n%1\\Pan=%2\n%1\\Tilt=%3\n%1\\Zoom=0\n")
                         .arg(i + 1)
                         .arg(kept[i].x())
                         .arg(kept[i].y());
    folder.write("config.ini", positions.toUtf8());
    MainWindow window;
    show_exposed(&window);
    attach_over_udp(window, camera);
    show_tab(window, "tab_cameras");
    auto *list = control<QListWidget>(&window, "positionsList");
    QPoint from(0, 0);
    for (int i = 0; i < kept.size(); ++i) {
        list->setCurrentRow(i);
        click(window, "goPositionButton");
        QVERIFY(wait_until([&] { return pan_of(camera) == kept[i].x(); }, 5000));
        // The sim moves pan and tilt 100 units a second a speed step.
        const QStringList moves = camera.lines().filter("pan-tilt absolute");
        const QRegularExpression speeds(" at (\\d+)/(\\d+) ");
        const QRegularExpressionMatch found = speeds.match(moves.last());
        QVERIFY2(found.hasMatch(), qPrintable(moves.last()));
        const double pan_s = qAbs(kept[i].x() - from.x()) / (100.0 * found.captured(1).toInt());
        const double tilt_s = qAbs(kept[i].y() - from.y()) / (100.0 * found.captured(2).toInt());
        QVERIFY2(qAbs(pan_s - tilt_s) <= 0.1 * qMax(pan_s, tilt_s), qPrintable(moves.last()));
        from = kept[i];
    }
}

void PositionsTest::a_go_runs_on_when_another_camera_is_chosen()
{
    ScratchFolder folder;
    SimProcess first, second;
    QVERIFY(first.started() && second.started());
    folder.write("config.ini",
                 QString("[LANGUAGE_CONF]\nlanguage=English\n"
                         "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                         "[CAMERAS]\nOpenAtStart=true\n[CAMERA_1]\nLink=UDP\nOpen=true\n"
                         "GoSpeed=8\n[CAMERA_1_POSITIONS]\nsize=1\n1\\Name=Far\n1\\Pan=2000\n"
                         "1\\Tilt=0\n1\\Zoom=0\n"
                         "[CAMERA_2]\nLink=UDP\nAddress=127.0.0.1\nPort=%2\nOpen=true\n")
                     .arg(first.udp())
                     .arg(second.udp())
                     .toUtf8());
    MainWindow window;
    show_exposed(&window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    show_tab(window, "tab_ptz");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QVERIFY(first.wait_for("pan-tilt absolute 2000", 5000));
    // Camera 2 chosen on the way: camera 1 goes on to its shot.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
    QVERIFY(wait_until([&] { return pan_of(first) == 2000; }, 10000));
    QCOMPARE(first.lines().filter("stop").size(), 0);
}

void PositionsTest::f_keys_go_to_kept_positions_on_the_ptz_tab()
{
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    // Gos at the top speed: each is over before the next, which would find
    // the camera's command buffer full otherwise.
    folder.write("config.ini", "[CAMERA_1]\nGoSpeed=24\n"
                               "[CAMERA_1_POSITIONS]\nsize=2\n1\\Name=A\n1\\Pan=500\n"
                               "1\\Tilt=0\n1\\Zoom=0\n2\\Name=B\n2\\Pan=-500\n"
                               "2\\Tilt=100\n2\\Zoom=0\n");
    MainWindow window;
    show_exposed(&window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    attach_over_udp(window, camera);
    show_tab(window, "tab_ptz");
    auto *home = control<QPushButton>(&window, "ptz_resetButton");
    home->setFocus();
    const auto moves = [&] { return camera.lines().filter("pan-tilt absolute"); };
    QTest::keyClick(home, Qt::Key_F2);
    QVERIFY(wait_until([&] { return moves().size() == 1; }, 5000));
    QVERIFY2(moves().last().contains("absolute -500, 100"), qPrintable(moves().last()));
    QTest::keyClick(home, Qt::Key_F1);
    QVERIFY(wait_until([&] { return moves().size() == 2; }, 5000));
    QVERIFY2(moves().last().contains("absolute 500, 0"), qPrintable(moves().last()));
    // The Cameras tab, where the positions are, takes them too (F2 in its
    // lists still renames).
    show_tab(window, "tab_cameras");
    control<QPushButton>(&window, "goPositionButton")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    QVERIFY(wait_until([&] { return moves().size() == 3; }, 5000));
    QVERIFY2(moves().last().contains("absolute -500, 100"), qPrintable(moves().last()));
    show_tab(window, "tab_ptz");
    home->setFocus();
    // A position not kept, F4 on a list box, the Manual tab: no move.
    QTest::keyClick(home, Qt::Key_F5);
    auto *speeds = control<QComboBox>(&window, "hcomboBox");
    speeds->setFocus();
    QTest::keyClick(speeds, Qt::Key_F4);
    QVERIFY(wait_until([&] { return speeds->view()->isVisible(); }));
    QTest::keyClick(speeds->view(), Qt::Key_Escape);
    speeds->hidePopup();
    QVERIFY(wait_until([&] { return !speeds->view()->isVisible(); }));
    show_tab(window, "tab_manual");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    // Ctrl+K keeps where the camera is, from any tab.
    auto *positions = control<QListWidget>(&window, "positionsList");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::ControlModifier);
    QVERIFY(wait_until([&] { return positions->count() == 3; }, 5000));
    QCOMPARE(moves().size(), 3);

    // A camera that does not say where it is, the PTZ tab shown while the
    // Go asks: the Go is given up after its tries, and the operator told.
    ::kill(pid_t(camera.pid()), SIGSTOP);
    show_tab(window, "tab_cameras");
    positions->setCurrentRow(1);
    click(window, "goPositionButton");
    show_tab(window, "tab_ptz");
    auto *note = control<QLabel>(&window, "camerasNote");
    const bool told =
        wait_until([&] { return note->text().contains("the move was not sent"); }, 10000);
    ::kill(pid_t(camera.pid()), SIGCONT);
    QVERIFY2(told, qPrintable(note->text()));
}

void PositionsTest::only_the_lost_inquiry_is_asked_again()
{
    // A Go whose pan-tilt answer is lost on the way: the round asks for it
    // again, not for what the camera answered, and the move goes.
    ScratchFolder folder;
    UdpPeer camera;
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=English\n"
                                       "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERA_1]\nLink=UDP\n[CAMERA_1_POSITIONS]\nsize=1\n"
                                       "1\\Name=A\n1\\Pan=16\n1\\Tilt=0\n1\\Zoom=0\n")
                                   .arg(camera.port())
                                   .toUtf8());
    MainWindow window;
    show_tab(window, "tab_ptz");
    click(window, "pushButton_15");
    click(window, "ptz_resetButton");
    QCOMPARE(camera.read(1).size(), 1);
    camera.reply(hex("90 41 FF"));
    camera.reply(hex("90 51 FF"));
    show_tab(window, "tab_cameras");
    control<QListWidget>(&window, "positionsList")->setCurrentRow(0);
    // The Cameras tab's own rounds first: answered whole.
    const auto answer_round = [&](const QList<QByteArray> &asked, bool drop_pan_tilt) {
        for (const QByteArray &inquiry : asked) {
            if (inquiry == hex("81 09 06 12 FF") && !drop_pan_tilt)
                camera.reply(hex("90 50 00 00 00 01 02 00 00 03 04 FF"));
            else if (inquiry == hex("81 09 04 47 FF"))
                camera.reply(hex("90 50 00 01 02 03 FF"));
            else if (inquiry == hex("81 09 04 48 FF"))
                camera.reply(hex("90 50 00 00 01 00 FF"));
            else if (inquiry == hex("81 09 04 38 FF"))
                camera.reply(hex("90 50 03 FF"));
        }
    };
    answer_round(camera.read(3, 5000), false);
    click(window, "goPositionButton");
    QList<QByteArray> asked;
    while (!asked.contains(hex("81 09 04 38 FF"))) {
        const QList<QByteArray> next = camera.read(1, 5000);
        QCOMPARE(next.size(), 1);
        asked << next;
    }
    answer_round(asked.mid(asked.size() - 4), true);
    // Asked again: pan-tilt alone.
    QCOMPARE(udp_texts(camera, 1, 5000), QStringList({"81 09 06 12 FF"}));
    camera.reply(hex("90 50 00 00 00 01 02 00 00 03 04 FF"));
    const QStringList sent = udp_texts(camera, 2, 5000);
    QCOMPARE(sent.size(), 2);
    QVERIFY2(sent.at(0).startsWith("81 01 06 02 "), qPrintable(sent.join(", ")));
}
