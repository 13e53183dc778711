// Driving from the keyboard, the dead-man stop and the port list that sees
// adapters plugged in later, through the real window against a UDP camera.

#include "app/mainwindow.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <unistd.h>

namespace {
const QString up = "81 01 06 01 0F 0F 03 01 FF";
const QString up_left = "81 01 06 01 0F 0F 01 01 FF";
const QString stop = "81 01 06 01 03 03 03 03 FF";

} // namespace

class KeysTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keys_drive_like_buttons_data();
    void keys_drive_like_buttons();
    void held_keys_add_up_and_repeat_is_ignored();
    void opposite_keys_cancel_data();
    void opposite_keys_cancel();
    void keys_belong_to_the_manual_tab_there();
    void text_fields_and_closed_links_keep_the_camera_still();
    void dead_man_data();
    void dead_man();
    void port_list_follows_adapters();
    void bytes_leave_before_the_button_repaints();

private:
    QStringList received(int count, int timeout_ms = 1000)
    {
        return udp_texts(*camera, count, timeout_ms);
    }
    QStringList exactly(int count) { return udp_texts_exactly(*camera, count); }
    QWidget *focused() { return QApplication::focusWidget(); }

    ScratchFolder *folder = nullptr;
    MainWindow *window = nullptr;
    UdpPeer *camera = nullptr;
};

void KeysTest::init()
{
    folder = new ScratchFolder;
    window = new MainWindow;
    camera = new UdpPeer;
    drive_on_udp(*window, *camera);
}

void KeysTest::cleanup()
{
    delete camera;
    delete window;
    delete folder;
}

void KeysTest::keys_drive_like_buttons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QStringList>("press");
    QTest::addColumn<QString>("release");
    QTest::addColumn<QString>("button");
    const auto pan = [](const char *way) {
        return QStringList{"81 01 06 01 0F 0F " + QString(way) + " FF"};
    };
    const struct {
        const char *row;
        int key;
        bool keypad;
        QStringList press;
        QString release;
        const char *button;
    } rows[] = {
        {"up arrow", Qt::Key_Up, false, pan("03 01"), stop, "ptz_upButton"},
        {"down arrow", Qt::Key_Down, false, pan("03 02"), stop, "ptz_downButton"},
        {"left arrow", Qt::Key_Left, false, pan("01 03"), stop, "ptz_leftButton"},
        {"right arrow", Qt::Key_Right, false, pan("02 03"), stop, "ptz_rightButton"},
        {"keypad 8", Qt::Key_8, true, pan("03 01"), stop, "ptz_upButton"},
        {"keypad 2", Qt::Key_2, true, pan("03 02"), stop, "ptz_downButton"},
        {"keypad 4", Qt::Key_4, true, pan("01 03"), stop, "ptz_leftButton"},
        {"keypad 6", Qt::Key_6, true, pan("02 03"), stop, "ptz_rightButton"},
        {"keypad 7", Qt::Key_7, true, pan("01 01"), stop, "ptz_leftupButton"},
        {"keypad 9", Qt::Key_9, true, pan("02 01"), stop, "ptz_rightupButton"},
        {"keypad 1", Qt::Key_1, true, pan("01 02"), stop, "ptz_leftdownButton"},
        {"keypad 3", Qt::Key_3, true, pan("02 02"), stop, "ptz_rightdownButton"},
        {"home", Qt::Key_Home, false, {"81 01 06 04 FF"}, "", ""},
        {"keypad 5", Qt::Key_5, true, {"81 01 06 04 FF"}, "", ""},
        {"plus", Qt::Key_Plus, false, {"81 01 04 07 23 FF"}, "81 01 04 07 00 FF", "zoomin_Button"},
        {"keypad minus",
         Qt::Key_Minus,
         true,
         {"81 01 04 07 33 FF"},
         "81 01 04 07 00 FF",
         "zoomout_Button"},
        {"page up",
         Qt::Key_PageUp,
         false,
         {"81 01 04 38 03 FF", "81 01 04 08 33 FF"},
         "81 01 04 08 00 FF",
         "focusin_Button"},
        {"page down",
         Qt::Key_PageDown,
         false,
         {"81 01 04 38 03 FF", "81 01 04 08 23 FF"},
         "81 01 04 08 00 FF",
         "focusout_Button"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.row) << row.key << row.keypad << row.press << row.release
                               << QString(row.button);
}

void KeysTest::keys_drive_like_buttons()
{
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(QStringList, press);
    QFETCH(QString, release);
    QFETCH(QString, button);
    const Qt::KeyboardModifiers modifiers = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyPress(focused(), Qt::Key(key), modifiers);
    QCOMPARE(received(press.size()), press);
    if (!button.isEmpty())
        QTRY_VERIFY(control<QPushButton>(window, qPrintable(button))->isDown());
    QTest::keyRelease(focused(), Qt::Key(key), modifiers);
    const QStringList after = exactly(release.isEmpty() ? 0 : 1);
    QCOMPARE(after, release.isEmpty() ? QStringList() : QStringList{release});
    if (!button.isEmpty())
        QTRY_VERIFY(!control<QPushButton>(window, qPrintable(button))->isDown());
    QStringList logged;
    for (const QString &text : press + after)
        logged << "TX：" + text;
    QCOMPARE(log_lines(*window), logged);
}

void KeysTest::held_keys_add_up_and_repeat_is_ignored()
{
    // A focused, closed list box no longer takes the arrows.
    auto *speeds = control<QComboBox>(window, "hcomboBox");
    speeds->setFocus();
    QTest::keyPress(focused(), Qt::Key_Up);
    QTest::sendKeyEvent(QTest::Press, focused(), Qt::Key_Up, QString(), Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(focused(), &repeat);
    QTest::keyPress(focused(), Qt::Key_Left);
    QTest::keyRelease(focused(), Qt::Key_Left);
    QTest::keyRelease(focused(), Qt::Key_Up);
    // A second press of a key held already changes nothing.
    QCOMPARE(exactly(4), QStringList({up, up_left, up, stop}));
    QCOMPARE(speeds->currentIndex(), 14);

    // "+" is released as "=" when Shift went up first: the same key all the same.
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::ShiftModifier, 21, 0, 0, "+");
    QKeyEvent equal(QEvent::KeyRelease, Qt::Key_Equal, Qt::NoModifier, 21, 0, 0, "=");
    QApplication::sendEvent(focused(), &plus);
    QApplication::sendEvent(focused(), &equal);
    QCOMPARE(received(2), QStringList({"81 01 04 07 23 FF", "81 01 04 07 00 FF"}));
}

void KeysTest::opposite_keys_cancel_data()
{
    // Keys pressed in order, then released in the same order: every change
    // of what is held sends the drive that the keys still held add up to.
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QStringList>("sent");
    const QString right = "81 01 06 01 0F 0F 02 03 FF";
    const QString left = "81 01 06 01 0F 0F 01 03 FF";
    const QString down = "81 01 06 01 0F 0F 03 02 FF";
    const QString up_right = "81 01 06 01 0F 0F 02 01 FF";
    const QString down_right = "81 01 06 01 0F 0F 02 02 FF";
    QTest::newRow("up, left, right") << QList<int>{Qt::Key_Up, Qt::Key_Left, Qt::Key_Right}
                                     << QStringList({up, up_left, up, stop, right, stop});
    QTest::newRow("left, up, right") << QList<int>{Qt::Key_Left, Qt::Key_Up, Qt::Key_Right}
                                     << QStringList({left, up_left, up, up_right, right, stop});
    QTest::newRow("up, right, left") << QList<int>{Qt::Key_Up, Qt::Key_Right, Qt::Key_Left}
                                     << QStringList({up, up_right, up, stop, left, stop});
    QTest::newRow("up, down, right") << QList<int>{Qt::Key_Up, Qt::Key_Down, Qt::Key_Right}
                                     << QStringList({up, stop, right, down_right, right, stop});
    QTest::newRow("up, down") << QList<int>{Qt::Key_Up, Qt::Key_Down}
                              << QStringList({up, stop, down, stop});
}

void KeysTest::opposite_keys_cancel()
{
    QFETCH(QList<int>, keys);
    QFETCH(QStringList, sent);
    for (int key : keys)
        QTest::keyPress(focused(), Qt::Key(key));
    for (int key : keys)
        QTest::keyRelease(focused(), Qt::Key(key));
    QCOMPARE(exactly(int(sent.size())), sent);
}

void KeysTest::keys_belong_to_the_manual_tab_there()
{
    // The Manual tab may talk to another link: its keys never drive the pad's.
    control<QTabWidget>(window, "tabWidget")->setCurrentIndex(1);
    control<QPushButton>(window, "pushButton_13")->setFocus();
    QTest::keyClick(focused(), Qt::Key_Up);
    QTest::keyClick(focused(), Qt::Key_Home);
    QTest::keyClick(focused(), Qt::Key_Plus);
    QCOMPARE(received(1, nothing_more_ms), QStringList());
    control<QTabWidget>(window, "tabWidget")->setCurrentIndex(0);
    control<QPushButton>(window, "ptz_resetButton")->setFocus();
    QTest::keyClick(focused(), Qt::Key_Up);
    QCOMPARE(received(2), QStringList({up, stop}));
}

void KeysTest::text_fields_and_closed_links_keep_the_camera_still()
{
    auto *field = control<QLineEdit>(window, "lineEdit_2");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Up);
    QTest::keyClicks(field, "12+");
    QCOMPARE(field->text(), QString("12+"));
    QCOMPARE(received(1, nothing_more_ms), QStringList());
    click(*window, "pushButton_15"); // disconnected
    control<QPushButton>(window, "ptz_resetButton")->setFocus();
    QTest::keyClick(focused(), Qt::Key_Up);
    QVERIFY(!control<QPushButton>(window, "ptz_upButton")->isDown());
    QCOMPARE(received(1, nothing_more_ms), QStringList());
    QCOMPARE(log_lines(*window), QStringList());
}

void KeysTest::dead_man_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("mouse");
    for (const char *trigger : {"another window", "minimized", "a box", "tab", "mode"}) {
        QTest::newRow(qPrintable(QString("%1, key").arg(trigger))) << trigger << false;
        QTest::newRow(qPrintable(QString("%1, mouse").arg(trigger))) << trigger << true;
    }
}

void KeysTest::dead_man()
{
    QFETCH(QString, trigger);
    QFETCH(bool, mouse);
    auto *button = control<QPushButton>(window, "ptz_upButton");
    QWidget *keyboard = focused();
    if (mouse)
        QTest::mousePress(button, Qt::LeftButton);
    else
        QTest::keyPress(keyboard, Qt::Key_Up);
    QCOMPARE(received(1), QStringList({up}));

    QWidget other;
    ModalCatcher catcher;
    if (trigger == "another window") {
        show_exposed(&other);
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    } else if (trigger == "minimized") {
        window->showMinimized();
    } else if (trigger == "a box") {
        control<QLineEdit>(window, "lineEdit_2")->setText("abc");
        control<QPushButton>(window, "pushButton")->click();
        QCOMPARE(catcher.boxes.size(), 1);
    } else if (trigger == "tab") {
        control<QTabWidget>(window, "tabWidget")->setCurrentIndex(1);
    } else {
        click(*window, "radioButton_9");
    }
    QCOMPARE(exactly(1), QStringList({stop}));
    // The real release afterwards sends nothing more.
    if (mouse)
        QTest::mouseRelease(button, Qt::LeftButton);
    else
        QTest::keyRelease(keyboard, Qt::Key_Up);
    QCOMPARE(received(1, nothing_more_ms), QStringList());
}

void KeysTest::port_list_follows_adapters()
{
    PtyPeer pty;
    const QString name = QString("ttyZarvickPlug%1").arg(QCoreApplication::applicationPid());
    const QString path = "/dev/" + name;
    if (!QFile::link(pty.path(), path))
        QSKIP("needs root: making a link in /dev (run as root to check ports plugged in later)");
    struct Unlink {
        QString path;
        ~Unlink() { QFile::remove(path); }
    } unlink{path};
    auto *ports = control<QComboBox>(window, "ComPortcomboBox");
    const auto open_list = [&] {
        QTest::mouseClick(ports, Qt::LeftButton);
        ports->hidePopup();
    };
    QVERIFY(ports->findText(name) < 0); // plugged in after the start
    open_list();
    QVERIFY(ports->findText(name) >= 0);
    ports->setCurrentIndex(ports->findText(name));
    open_list();
    QCOMPARE(ports->currentText(), name);

    QFile::remove(path);
    open_list();
    QCOMPARE(ports->findText(name), -1);
}

namespace {
// Notes, at each repaint of the button, how many datagrams the camera had.
class PaintWatch : public QObject
{
    Q_OBJECT

public:
    PaintWatch(QObject *button, UdpPeer &peer) : camera(peer) { button->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            waiting_at_paint << camera.pending();
        return false;
    }
    QList<int> waiting_at_paint;

private:
    UdpPeer &camera;
};
} // namespace

void KeysTest::bytes_leave_before_the_button_repaints()
{
    auto *button = control<QPushButton>(window, "zoomin_Button");
    PaintWatch watch(button, *camera);
    QTest::mousePress(button, Qt::LeftButton);
    QVERIFY(!watch.waiting_at_paint.isEmpty());
    QCOMPARE(watch.waiting_at_paint.first(), 1); // the drive, before the pressed look
    QVERIFY(button->isDown());
    watch.waiting_at_paint.clear();
    QTest::mouseRelease(button, Qt::LeftButton);
    QVERIFY(!watch.waiting_at_paint.isEmpty());
    QCOMPARE(watch.waiting_at_paint.first(), 2); // and the stop, before the released look
    QCOMPARE(received(2), QStringList({"81 01 04 07 23 FF", "81 01 04 07 00 FF"}));
    QCOMPARE(log_lines(*window), QStringList({"TX：81 01 04 07 23 FF", "TX：81 01 04 07 00 FF"}));
}

QTEST_MAIN(KeysTest)
#include "tst_keys.moc"
