// Several cameras in one window: two on one serial line, one on TCP, a
// chain found on the simulator's line; switching ends every hold with one
// stop, the caption and the log name the camera, config.ini keeps the list.

#include "app/mainwindow.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/command_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpSocket>
#include <QtTest>

namespace {
QWidget *focused() { return QApplication::focusWidget(); }

void key(int code, bool press, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (press)
        QTest::keyPress(focused(), Qt::Key(code), modifiers);
    else
        QTest::keyRelease(focused(), Qt::Key(code), modifiers);
}

void pick_camera(int number)
{
    QTest::keyClick(focused(), Qt::Key(Qt::Key_0 + number), Qt::ControlModifier);
}

void show_active(MainWindow &window)
{
    show_exposed(&window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

QTableView *table(MainWindow &window) { return camera_table(window); }

void show_tab(MainWindow &window, const char *name)
{
    auto *tabs = control<QTabWidget>(&window, "tabWidget");
    tabs->setCurrentWidget(control<QWidget>(&window, name));
}

// The commands a pseudo-terminal's camera got, as texts.
QStringList commands(PtyPeer &line, int count)
{
    const QByteArray bytes = line.read(count * 9, 5000);
    QStringList texts;
    for (const QByteArray &message : bytes.split(char(0xFF)))
        if (!message.isEmpty())
            texts << spaced_hex(message + char(0xFF));
    return texts;
}
} // namespace

class CamerasTest : public QObject
{
    Q_OBJECT
private slots:
    void three_cameras_in_one_window();
    void stored_cameras_with_bad_values();
    void finds_a_chain_and_drives_only_the_active_camera();
    void a_camera_is_listed_once();
    void a_held_button_waits_for_a_new_press_after_a_switch();
    void another_cameras_loss_is_a_notice_not_a_box();
    void the_list_is_reordered_and_ctrl_n_follows();
    void removed_camera_and_deleted_position_come_back();
    void program_passes_from_camera_to_camera();
    void an_inverted_camera_turns_the_pictures_way();
    void the_lists_grow_with_the_window();
};

void CamerasTest::three_cameras_in_one_window()
{
    ScratchFolder folder;
    PtyPeer line;
    TcpPeer network;
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QString("Zarvick v2.2"));
        QCOMPARE(camera_rows(window), 1);
        QCOMPARE(camera_cell(window, 0, 0), QString("摄像机 1"));
        QCOMPARE(control<QTabWidget>(&window, "tabWidget")->tabText(2), QString("摄像机"));
        show_active(window);
        open_serial(window, line.path());

        // Camera 2 starts on the same line, at the next address.
        show_tab(window, "tab_cameras");
        QCOMPARE(add_camera(window), QString());
        QCOMPARE(camera_cell(window, 1, 2), QString("2"));
        // The shared line is open for camera 2 too.
        QCOMPARE(control<QPushButton>(&window, "pushButton_16")->text(), QString("关闭"));
        // Camera 3 is a TCP camera, added in one step while a serial one
        // is active: at address 1 on its own link, with no serial port.
        QCOMPARE(add_camera(window, {{"addLinkBox", 1},
                                     {"addAddressEdit", "127.0.0.1"},
                                     {"addPortEdit", QString::number(network.port())}}),
                 QString());
        QCOMPARE(camera_rows(window), 3);
        QCOMPARE(camera_cell(window, 2, 1), QString("TCP 127.0.0.1:%1").arg(network.port()));
        QCOMPARE(camera_cell(window, 2, 2), QString("1"));
        QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — 摄像机 3"));
        QVERIFY(control<QRadioButton>(&window, "radioButton_10")->isChecked());
        click(window, "pushButton_15");
        QVERIFY(network.accept());
        QCOMPARE(camera_cell(window, 2, 3), QString("已打开"));
        show_tab(window, "tab_ptz");
        control<QPushButton>(&window, "ptz_resetButton")->setFocus();

        pick_camera(2);
        QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — 摄像机 2"));
        QVERIFY(control<QRadioButton>(&window, "radioButton_9")->isChecked());
        // Switching while Up is held: the driven camera gets its stop, the
        // new one nothing until a new press; on one line and across links.
        key(Qt::Key_Up, true);
        QCOMPARE(commands(line, 1), QStringList{"82 01 06 01 0F 0F 03 01 FF"});
        pick_camera(1);
        QCOMPARE(commands(line, 1), QStringList{"82 01 06 01 03 03 03 03 FF"});
        key(Qt::Key_Up, false);
        QCOMPARE(line.drain(nothing_more_ms), QByteArray());
        key(Qt::Key_Up, true);
        QCOMPARE(commands(line, 1), QStringList{"81 01 06 01 0F 0F 03 01 FF"});
        pick_camera(3);
        QCOMPARE(commands(line, 1), QStringList{"81 01 06 01 03 03 03 03 FF"});
        key(Qt::Key_Up, false);
        QCOMPARE(line.drain(nothing_more_ms), QByteArray());
        QCOMPARE(network.read(1, nothing_more_ms), QByteArray());
        QVERIFY(control<QRadioButton>(&window, "radioButton_10")->isChecked());
        key(Qt::Key_Up, true);
        key(Qt::Key_Up, false);
        QCOMPARE(spaced_hex(network.read(18, 5000)),
                 QString("81 01 06 01 0F 0F 03 01 FF 81 01 06 01 03 03 03 03 FF"));
        QCOMPARE(line.drain(nothing_more_ms), QByteArray());

        // The line's cameras never answered: the list says since when.
        QVERIFY(wait_until([&] { return camera_cell(window, 1, 3).startsWith("自 "); }, 5000));

        // Replies name their camera by link and address.
        line.write(hex("A0 41 FF"));
        QVERIFY(wait_until([&] { return log_lines(window).size() == 7; }));
        QCOMPARE(log_lines(window), QStringList({"TX：[摄像机 2] 82 01 06 01 0F 0F 03 01 FF",
                                                 "TX：[摄像机 2] 82 01 06 01 03 03 03 03 FF",
                                                 "TX：[摄像机 1] 81 01 06 01 0F 0F 03 01 FF",
                                                 "TX：[摄像机 1] 81 01 06 01 03 03 03 03 FF",
                                                 "TX：[摄像机 3] 81 01 06 01 0F 0F 03 01 FF",
                                                 "TX：[摄像机 3] 81 01 06 01 03 03 03 03 FF",
                                                 "RX：[摄像机 2] A0 41 FF "}));
        ModalCatcher catcher(QMessageBox::Ok);
        window.close();
    }

    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERAS/Active").toString(), QString("3"));
    QCOMPARE(stored.value("CAMERA_1/Link").toString(), QString("Serial"));
    QCOMPARE(stored.value("CAMERA_1/ViscaAddress").toString(), QString("1"));
    QCOMPARE(stored.value("SERIAL_CONF/PortName").toString(), line.path());
    QCOMPARE(stored.value("CAMERA_2/PortName").toString(), line.path());
    QCOMPARE(stored.value("CAMERA_2/ViscaAddress").toString(), QString("2"));
    QCOMPARE(stored.value("CAMERA_3/Name").toString(), QString("摄像机 3"));
    QCOMPARE(stored.value("CAMERA_3/Link").toString(), QString("TCP"));
    QCOMPARE(stored.value("CAMERA_3/ViscaAddress").toString(), QString("1"));
    QCOMPARE(stored.value("CAMERA_3/Address").toString(), QString("127.0.0.1"));
    QCOMPARE(stored.value("CAMERA_3/Port").toString(), QString::number(network.port()));

    MainWindow again;
    QCOMPARE(camera_rows(again), 3);
    QCOMPARE(again.windowTitle(), QString("Zarvick v2.2 — 摄像机 3"));
    QVERIFY(control<QRadioButton>(&again, "radioButton_10")->isChecked());
    QCOMPARE(control<QLineEdit>(&again, "lineEdit_port")->text(), QString::number(network.port()));
}

void CamerasTest::stored_cameras_with_bad_values()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=Chinese\n"
                               "[SERIAL_CONF]\nPortName=ttyFirst\nBaudRate=4\n"
                               "[CAMERAS]\nActive=9\n"
                               "[CAMERA_2]\nName=Stage\nLink=Carrier pigeon\nViscaAddress=12\n"
                               "BaudRate=99\nPanSpeed=x\n"
                               "[CAMERA_4]\nName=Orphan\n");
    MainWindow window;
    // A group after a gap is the next camera; an active place outside the
    // list picks the first camera.
    QCOMPARE(camera_rows(window), 3);
    QCOMPARE(camera_cell(window, 2, 0), QString("Orphan"));
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — 摄像机 1"));
    show_active(window);
    pick_camera(2);
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — Stage"));
    // Each bad key falls back to its own default, not to camera 1's values.
    QCOMPARE(control<QComboBox>(&window, "BaucomboBox")->currentText(), QString("9600"));
    QCOMPARE(control<QComboBox>(&window, "hcomboBox")->currentText(), QString("15"));
    QCOMPARE(control<QComboBox>(&window, "ComPortcomboBox")->currentIndex(), -1);
    QVERIFY(control<QRadioButton>(&window, "radioButton_9")->isChecked());
    QCOMPARE(camera_cell(window, 1, 2), QString("1"));
    pick_camera(1);
    QCOMPARE(control<QComboBox>(&window, "BaucomboBox")->currentIndex(), 4);

    // A language change renames the cameras that keep their first names.
    show_tab(window, "tab_manual"); // away from the arrows that drive
    QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Down);
    QCOMPARE(camera_cell(window, 0, 0), QString("Camera 1"));
    QCOMPARE(camera_cell(window, 1, 0), QString("Stage"));
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — Camera 1"));
}

void CamerasTest::finds_a_chain_and_drives_only_the_active_camera()
{
    ScratchFolder folder;
    SimProcess chain({"--serial", "--chain", "3"});
    QVERIFY(chain.started());
    MainWindow window;
    show_active(window);
    open_serial(window, chain.serial());
    click(window, "findCamerasButton");
    QVERIFY(wait_until([&] { return camera_rows(window) == 3; }, 5000));
    QCOMPARE(camera_cell(window, 2, 2), QString("3"));

    // Each camera moves only while it is the active one.
    for (int camera = 1; camera <= 3; ++camera) {
        pick_camera(camera);
        auto *right = control<QPushButton>(&window, "ptz_rightButton");
        QTest::mousePress(right, Qt::LeftButton);
        QVERIFY(chain.wait_for(QString("camera %1: pan right").arg(camera)));
        QTest::mouseRelease(right, Qt::LeftButton);
        QVERIFY(chain.wait_for(QString("camera %1: pan-tilt stop").arg(camera)));
    }
    QVERIFY(wait_until([&] {
        return camera_cell(window, 0, 3) == "应答中" && camera_cell(window, 2, 3) == "应答中";
    }));
    for (int camera = 1; camera <= 3; ++camera) {
        const QStringList moved = chain.lines().filter(QString("camera %1: pan right").arg(camera));
        QCOMPARE(moved.size(), 1);
    }
}

void CamerasTest::a_camera_is_listed_once()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\n"
                               "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=52381\n"
                               "[CAMERA_1]\nName=Net\nLink=UDP\n"
                               "[CAMERA_1_POSITIONS]\n1\\Name=Wide\n1\\Pan=5\n1\\Tilt=6\n"
                               "1\\Zoom=7\nsize=1\n"
                               "[CAMERA_2]\nName=Two\nPortName=ttyZ\nViscaAddress=2\n"
                               "[CAMERA_3]\nName=Twin\nPortName=ttyZ\nViscaAddress=2\n"
                               "[CAMERA_4]\nName=Nine\nPortName=ttyZ\nViscaAddress=9\n");
    MainWindow window;
    show_active(window);
    show_tab(window, "tab_cameras");
    // A second camera at a taken address, or one outside the chain, moves
    // to a free address, and the operator is told which.
    QCOMPARE(control<QLabel>(&window, "camerasNote")->text(),
             QString("Twin has the address of Two in config.ini: it is at address 1 now\n"
                     "The address of Nine in config.ini is not 1 to 7: it is at address 3 now"));
    QCOMPARE(camera_cell(window, 2, 2), QString("1"));
    QCOMPARE(camera_cell(window, 3, 2), QString("3"));
    auto *positions = control<QListWidget>(&window, "positionsList");
    QCOMPARE(positions->count(), 1);

    // A new camera beside a network camera has no address and no positions
    // of the other; beside a line's camera it takes the line's next address.
    // Listed already only where link, address, port and VISCA address all
    // match: the same address and port on TCP is another camera.
    QCOMPARE(add_camera(window, {{"addAddressEdit", "127.0.0.1"}}),
             QString("Net is at address 1 on this link already"));
    QCOMPARE(add_camera(window, {{"addAddressEdit", "127.0.0"}}),
             QString("Network information fill in error"));
    QCOMPARE(
        add_camera(window,
                   {{"addLinkBox", 1}, {"addAddressEdit", "127.0.0.1"}, {"addPortEdit", "52381"}}),
        QString());
    QCOMPARE(camera_rows(window), 5);
    // Named after its place, as Ctrl+5 picks it.
    QCOMPARE(camera_cell(window, 4, 0), QString("Camera 5"));
    QCOMPARE(positions->count(), 0);
    QCOMPARE(control<QLineEdit>(&window, "lineEdit_ip")->text(), QString("127.0.0.1"));
    QVERIFY(control<QRadioButton>(&window, "radioButton_tcp")->isChecked());
    // Ctrl+2 picks the second camera with Shift down too.
    QTest::keyClick(focused(), Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(current_camera_row(window), 1);
    QCOMPARE(add_camera(window), QString());
    QCOMPARE(camera_cell(window, 5, 2), QString("4"));

    // Typing another camera's address on the same line is refused.
    ModalCatcher catcher;
    edit_camera_cell(window, 5, 2, "2");
    QCOMPARE(catcher.texts(), QString("warning/Two is at address 2 on this link already"));
    QCOMPARE(camera_cell(window, 5, 2), QString("4"));
    edit_camera_cell(window, 5, 2, "5");
    QCOMPARE(camera_cell(window, 5, 2), QString("5"));
}

void CamerasTest::a_held_button_waits_for_a_new_press_after_a_switch()
{
    ScratchFolder folder;
    PtyPeer line;
    MainWindow window;
    show_active(window);
    open_serial(window, line.path());
    add_camera(window);
    pick_camera(1);
    auto *up = control<QPushButton>(&window, "ptz_upButton");
    const auto move = [up](QPoint to) {
        QMouseEvent moved(QEvent::MouseMove, to, up->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(up, &moved);
    };
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(commands(line, 1), QStringList{"81 01 06 01 0F 0F 03 01 FF"});
    pick_camera(2);
    QCOMPARE(commands(line, 1), QStringList{"81 01 06 01 03 03 03 03 FF"});
    // Off the button and back on, the mouse still down: Qt says pressed()
    // again, and camera 2 must not move.
    move({-5, -5});
    move(up->rect().center());
    QVERIFY(up->isDown());
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(line.drain(nothing_more_ms), QByteArray());
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(commands(line, 1), QStringList{"82 01 06 01 0F 0F 03 01 FF"});
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(commands(line, 1), QStringList{"82 01 06 01 03 03 03 03 FF"});
}

void CamerasTest::another_cameras_loss_is_a_notice_not_a_box()
{
    ScratchFolder folder;
    PtyPeer line;
    TcpPeer network;
    MainWindow window;
    show_active(window);
    open_serial(window, line.path());
    show_tab(window, "tab_cameras");
    add_camera(window);
    click(window, "radioButton_10");
    connect_net(window, true, network.port());
    QVERIFY(network.accept());
    show_tab(window, "tab_ptz");
    control<QPushButton>(&window, "ptz_resetButton")->setFocus();
    pick_camera(1);
    // Above the pad: the camera it drives and how it stands.
    QCOMPARE(control<QLabel>(&window, "activeCameraLine")->text(),
             QString("摄像机 1（串口 %1，9600 波特）：已打开").arg(line.path()));
    ModalCatcher catcher;
    key(Qt::Key_Up, true);
    QCOMPARE(commands(line, 1), QStringList{"81 01 06 01 0F 0F 03 01 FF"});
    // Camera 2 goes while camera 1 is being driven: told beside the pad,
    // under the list and in the log, and camera 1 drives on.
    network.drop();
    auto *notice = control<QLabel>(&window, "ptzNoticesText");
    const QString told =
        QString("摄像机 2（TCP 127.0.0.1:%1）：网络连接已断开：").arg(network.port());
    QVERIFY(wait_until([&] { return notice->isVisible(); }));
    QVERIFY2(notice->text().mid(9).startsWith(told), qPrintable(notice->text()));
    QCOMPARE(control<QLabel>(&window, "cameraNoticesText")->text(), notice->text());
    QVERIFY(log_lines(window).filter(told).size() == 1);
    QCOMPARE(line.drain(nothing_more_ms), QByteArray());
    QVERIFY(catcher.boxes.isEmpty());
    key(Qt::Key_Up, false);
    QCOMPARE(commands(line, 1), QStringList{"81 01 06 01 03 03 03 03 FF"});
    click(window, "ptzNoticesDismiss");
    QVERIFY(!notice->isVisible());
    QVERIFY(catcher.boxes.isEmpty());

    // Camera 2's link comes back by itself; lost while it is the active
    // camera, it is told above the pad, still in no box: the others may be
    // on air.
    QTcpSocket *again = nullptr;
    QVERIFY(wait_until([&] { return (again = network.accept_next()) != nullptr; }, 5000));
    pick_camera(2);
    again->abort();
    QVERIFY(wait_until([&] { return notice->text().mid(9).startsWith(told); }));
    QVERIFY(control<QLabel>(&window, "activeCameraTrouble")->text().startsWith(told));
    QVERIFY(catcher.boxes.isEmpty());
}

void CamerasTest::the_list_is_reordered_and_ctrl_n_follows()
{
    ScratchFolder folder;
    MainWindow window;
    show_active(window);
    show_tab(window, "tab_cameras");
    add_camera(window);
    add_camera(window);
    auto *up = control<QPushButton>(&window, "moveUpButton");
    auto *down = control<QPushButton>(&window, "moveDownButton");
    QVERIFY(up->isEnabled() && !down->isEnabled());
    // Camera 3 moves to the top; it stays the active camera.
    click(up);
    click(up);
    QVERIFY(!up->isEnabled() && down->isEnabled());
    QStringList names;
    for (int row = 0; row < 3; ++row)
        names << camera_cell(window, row, 0);
    QCOMPARE(names, QStringList({"摄像机 3", "摄像机 1", "摄像机 2"}));
    QCOMPARE(current_camera_row(window), 0);
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — 摄像机 3"));
    control<QPushButton>(&window, "addCameraButton")->setFocus();
    pick_camera(3);
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — 摄像机 2"));
    pick_camera(1);
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — 摄像机 3"));
}

void CamerasTest::removed_camera_and_deleted_position_come_back()
{
    ScratchFolder folder;
    folder.write("config.ini",
                 "[LANGUAGE_CONF]\nlanguage=Chinese\n[CAMERA_2]\nName=Stage\nViscaAddress=2\n"
                 "[CAMERA_2_POSITIONS]\nsize=2\n1\\Name=Door\n1\\Pan=5\n"
                 "1\\Tilt=6\n1\\Zoom=7\n2\\Name=Desk\n2\\Pan=1\n2\\Tilt=2\n"
                 "2\\Zoom=3\n[CAMERA_3]\nName=Hall\nViscaAddress=3\n");
    MainWindow window;
    show_active(window);
    show_tab(window, "tab_cameras");
    auto *positions = control<QListWidget>(&window, "positionsList");
    const auto names = [&] {
        QStringList texts;
        for (int row = 0; row < camera_rows(window); ++row)
            texts << camera_cell(window, row, 0);
        return texts;
    };
    pick_camera_row(window, 1);
    QCOMPARE(positions->count(), 2);
    QCOMPARE(positions->item(0)->data(Qt::UserRole).toString(), QString("水平 5，垂直 6，变焦 7"));
    // A name the program gave, brought back after a language change, is
    // given in the new language.
    pick_camera_row(window, 0);
    click(window, "removeCameraButton");
    QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Down);
    click(window, "cameraNoticesUndo");
    QCOMPARE(names(), QStringList({"Camera 1", "Stage", "Hall"}));
    QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Up);
    pick_camera_row(window, 1);
    click(window, "removeCameraButton");
    QCOMPARE(names(), QStringList({"摄像机 1", "Hall"}));
    auto *notice = control<QLabel>(&window, "cameraNoticesText");
    QVERIFY(notice->text().endsWith(" 已移除 Stage"));
    // A notice follows a language change, and so does a name the program gave.
    QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Down);
    QVERIFY(notice->text().endsWith(" Stage was removed"));
    click(window, "cameraNoticesUndo");
    QCOMPARE(names(), QStringList({"Camera 1", "Stage", "Hall"}));
    QCOMPARE(current_camera_row(window), 1);
    QCOMPARE(positions->count(), 2);
    QVERIFY(!control<QPushButton>(&window, "cameraNoticesUndo")->isVisible());

    // Delete, then Ctrl+Z.
    positions->setFocus();
    positions->setCurrentRow(0);
    QTest::keyClick(positions, Qt::Key_Delete);
    QCOMPARE(positions->count(), 1);
    QTest::keyClick(positions, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(positions->count(), 2);
    QCOMPARE(positions->item(0)->text(), QString("Door"));
    // Once only.
    QTest::keyClick(positions, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(names(), QStringList({"Camera 1", "Stage", "Hall"}));
}

void CamerasTest::program_passes_from_camera_to_camera()
{
    ScratchFolder folder;
    UdpPeer first;
    UdpPeer second;
    MainWindow window;
    show_active(window);
    click(window, "radioButton_10");
    connect_net(window, false, first.port());
    show_tab(window, "tab_cameras");
    add_camera(window, {{"addAddressEdit", "127.0.0.1"}});
    connect_net(window, false, second.port());
    show_tab(window, "tab_ptz");
    control<QPushButton>(&window, "ptz_resetButton")->setFocus();
    pick_camera(1);
    const auto tally_key = [](Qt::Key key) {
        QTest::keyClick(focused(), key, Qt::ControlModifier | Qt::ShiftModifier);
    };
    tally_key(Qt::Key_P);
    // Both lamps, the dark one first.
    QCOMPARE(udp_texts(first, 2),
             QStringList({"81 01 7E 04 1A 00 03 FF", "81 01 7E 01 0A 00 02 FF"}));
    QVERIFY(control<QPushButton>(&window, "tallyProgramButton")->isChecked());
    pick_camera(2);
    tally_key(Qt::Key_P);
    // Program passes: camera 1 goes dark, camera 2 lights.
    QCOMPARE(udp_texts(first, 2),
             QStringList({"81 01 7E 04 1A 00 03 FF", "81 01 7E 01 0A 00 03 FF"}));
    QCOMPARE(udp_texts(second, 2),
             QStringList({"81 01 7E 04 1A 00 03 FF", "81 01 7E 01 0A 00 02 FF"}));
    QCOMPARE(camera_data(window, 0, 0, Qt::BackgroundRole).value<QBrush>(), QBrush());
    QCOMPARE(camera_data(window, 1, 0, Qt::BackgroundRole).value<QBrush>().color(),
             QColor(230, 40, 40));
    // Camera 1 on preview, in the Datavideo dialect: one message.
    pick_camera(1);
    auto *dialect = control<QComboBox>(&window, "tallyDialectBox");
    dialect->setCurrentIndex(1);
    emit dialect->activated(1);
    click(window, "tallyPreviewButton");
    QCOMPARE(udp_texts(first, 1), QStringList({"81 01 7E 01 0A 00 03 02 FF"}));
    QCOMPARE(camera_data(window, 0, 0, Qt::BackgroundRole).value<QBrush>().color(),
             QColor(40, 190, 70));
    QCOMPARE(camera_data(window, 1, 0, Qt::BackgroundRole).value<QBrush>().color(),
             QColor(230, 40, 40));
}

void CamerasTest::an_inverted_camera_turns_the_pictures_way()
{
    ScratchFolder folder;
    UdpPeer camera;
    MainWindow window;
    show_active(window);
    click(window, "radioButton_10");
    connect_net(window, false, camera.port());
    show_tab(window, "tab_cameras");
    click(window, "invertPanCheckBox");
    show_tab(window, "tab_ptz");
    // Hung upside down: right on the pad is left for the camera; tilt as it was.
    auto *right_up = control<QPushButton>(&window, "ptz_rightupButton");
    QTest::mousePress(right_up, Qt::LeftButton);
    QTest::mouseRelease(right_up, Qt::LeftButton);
    QCOMPARE(udp_texts(camera, 2),
             QStringList({"81 01 06 01 0F 0F 01 01 FF", "81 01 06 01 03 03 03 03 FF"}));
    show_tab(window, "tab_cameras");
    click(window, "invertPanCheckBox");
    click(window, "invertTiltCheckBox");
    show_tab(window, "tab_ptz");
    QTest::mousePress(right_up, Qt::LeftButton);
    QTest::mouseRelease(right_up, Qt::LeftButton);
    QCOMPARE(udp_texts(camera, 2),
             QStringList({"81 01 06 01 0F 0F 02 02 FF", "81 01 06 01 03 03 03 03 FF"}));
}

QTEST_MAIN(CamerasTest)
#include "tst_cameras.moc"

void CamerasTest::the_lists_grow_with_the_window()
{
    ScratchFolder folder;
    folder.write("config.ini", "[LANGUAGE_CONF]\nlanguage=English\n");
    MainWindow window;
    show_active(window);
    const int width = window.width();
    auto *log = control<QWidget>(&window, "groupBox_5");
    const int log_height = log->height();
    // The Cameras tab shown first: the window keeps its width.
    show_tab(window, "tab_cameras");
    QCOMPARE(window.width(), width);
    auto *cameras = table(window);
    auto *positions = control<QWidget>(&window, "positionsList");
    const int cameras_height = cameras->height();
    const int positions_height = positions->height();
    window.resize(window.width(), window.height() + 300);
    QVERIFY(wait_until([&] { return cameras->height() > cameras_height + 100; }));
    QVERIFY(positions->height() > positions_height + 100);
    // The form's own tabs leave the room to the log, as they always did.
    show_tab(window, "tab_ptz");
    QVERIFY(wait_until([&] { return log->height() > log_height + 250; }));
}
