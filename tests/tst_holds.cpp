// Every drive ends in one stop: the ways a release can be lost or misread
// (a text field, a tab, an open list, a closed link, repeats without their
// flag, the keypad with NumLock off, mouse and keys together, a slow TCP
// connect), through the real window against a UDP camera and a pty.

#include "app/mainwindow.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const QString up = "81 01 06 01 0F 0F 03 01 FF";
const QString go_left = "81 01 06 01 0F 0F 01 03 FF";
const QString go_right = "81 01 06 01 0F 0F 02 03 FF";
const QString stop = "81 01 06 01 03 03 03 03 FF";
const QString home = "81 01 06 04 FF";

// A TCP port on 127.0.0.1 whose accept queue is full: a connection to it
// is neither accepted nor refused until the caller gives up.
class BlackHole
{
public:
    BlackHole()
    {
        listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(listener, reinterpret_cast<sockaddr *>(&address), size);
        listen(listener, 0);
        getsockname(listener, reinterpret_cast<sockaddr *>(&address), &size);
        port = ntohs(address.sin_port);
        for (int &filler : fillers) {
            filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr *>(&address), size);
        }
    }
    ~BlackHole()
    {
        for (int filler : fillers)
            ::close(filler);
        ::close(listener);
    }
    quint16 port = 0;

private:
    int listener = -1;
    int fillers[3] = {-1, -1, -1};
};
} // namespace

class HoldsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void key_held_then_text_field_clicked();
    void key_held_across_a_tab_change();
    void key_held_then_a_list_opened();
    void key_held_then_the_link_closed_data();
    void key_held_then_the_link_closed();
    void repeats_without_their_flag();
    void keypad_with_numlock_off_data();
    void keypad_with_numlock_off();
    void mouse_and_keys_together();
    void tcp_connect_leaves_the_window_free();

private:
    QStringList received(int count, int timeout_ms = 1000)
    {
        return udp_texts(*camera, count, timeout_ms);
    }
    QStringList exactly(int count) { return udp_texts_exactly(*camera, count); }
    QWidget *keyboard() { return QApplication::focusWidget(); }
    QPushButton *button(const char *name) { return control<QPushButton>(window, name); }

    ScratchFolder *folder = nullptr;
    MainWindow *window = nullptr;
    UdpPeer *camera = nullptr;
    ModalCatcher *boxes = nullptr;
};

void HoldsTest::init()
{
    folder = new ScratchFolder;
    window = new MainWindow;
    camera = new UdpPeer;
    boxes = new ModalCatcher;
    drive_on_udp(*window, *camera);
}

void HoldsTest::cleanup()
{
    delete boxes;
    delete camera;
    delete window;
    delete folder;
}

void HoldsTest::key_held_then_text_field_clicked()
{
    QWidget *keys = keyboard();
    QTest::keyPress(keys, Qt::Key_Up);
    QCOMPARE(received(1), QStringList({up}));
    auto *field = control<QLineEdit>(window, "lineEdit_2");
    QTest::mouseClick(field, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(exactly(1), QStringList({stop}));
    QTRY_VERIFY(!button("ptz_upButton")->isDown());
    QTest::keyRelease(field, Qt::Key_Up); // lands in the field
    QCOMPARE(received(1, nothing_more_ms), QStringList());
}

void HoldsTest::key_held_across_a_tab_change()
{
    QWidget *keys = keyboard();
    QTest::keyPress(keys, Qt::Key_Up);
    auto *tabs = control<QTabWidget>(window, "tabWidget");
    tabs->setCurrentIndex(1);
    tabs->setCurrentIndex(0);
    QTest::keyRelease(keys, Qt::Key_Up);
    QCOMPARE(exactly(2), QStringList({up, stop}));
    // Forgotten, not "still held": a tap of right is right alone.
    QTest::keyClick(keys, Qt::Key_Right);
    QCOMPARE(exactly(2), QStringList({go_right, stop}));
}

void HoldsTest::key_held_then_a_list_opened()
{
    QWidget *keys = keyboard();
    QTest::keyPress(keys, Qt::Key_Up);
    QCOMPARE(received(1), QStringList({up}));
    auto *speeds = control<QComboBox>(window, "hcomboBox");
    speeds->showPopup();
    QCOMPARE(exactly(1), QStringList({stop}));
    speeds->hidePopup();
    QTest::keyRelease(keys, Qt::Key_Up);
    QCOMPARE(received(1, nothing_more_ms), QStringList());
}

void HoldsTest::key_held_then_the_link_closed_data()
{
    QTest::addColumn<bool>("serial");
    QTest::newRow("serial, Close") << true;
    QTest::newRow("udp, Disconnect") << false;
}

void HoldsTest::key_held_then_the_link_closed()
{
    QFETCH(bool, serial);
    PtyPeer pty;
    if (serial) {
        click(*window, "radioButton_9");
        open_serial(*window, pty.path());
        button("ptz_resetButton")->setFocus();
    }
    QWidget *keys = keyboard();
    QTest::keyPress(keys, Qt::Key_Up);
    click(*window, serial ? "pushButton_16" : "pushButton_15");
    QTest::keyRelease(keys, Qt::Key_Up);
    const QByteArray expected = hex("81 01 06 01 0F 0F 03 01 FF 81 01 06 01 03 03 03 03 FF");
    if (serial) {
        QCOMPARE(pty.read(expected.size(), 5000), expected);
        QCOMPARE(pty.read(1, nothing_more_ms), QByteArray());
    } else {
        QCOMPARE(exactly(2), QStringList({up, stop}));
    }
}

void HoldsTest::repeats_without_their_flag()
{
    // Some X servers send a held key's repeats as a release and a press
    // with one time stamp and no repeat flag.
    QWidget *keys = keyboard();
    const auto send = [&](QEvent::Type type, ulong time) {
        QKeyEvent event(type, Qt::Key_Up, Qt::NoModifier);
        event.setTimestamp(time);
        QApplication::sendEvent(keys, &event);
    };
    send(QEvent::KeyPress, 1000);
    for (ulong time = 1500; time < 3000; time += 33) {
        send(QEvent::KeyRelease, time);
        send(QEvent::KeyPress, time);
    }
    send(QEvent::KeyRelease, 3100);
    QCOMPARE(exactly(2), QStringList({up, stop}));
}

void HoldsTest::keypad_with_numlock_off_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("drive");
    QTest::newRow("7 as Home") << int(Qt::Key_Home) << "81 01 06 01 0F 0F 01 01 FF";
    QTest::newRow("9 as Page Up") << int(Qt::Key_PageUp) << "81 01 06 01 0F 0F 02 01 FF";
    QTest::newRow("1 as End") << int(Qt::Key_End) << "81 01 06 01 0F 0F 01 02 FF";
    QTest::newRow("3 as Page Down") << int(Qt::Key_PageDown) << "81 01 06 01 0F 0F 02 02 FF";
    QTest::newRow("5 as Clear") << int(Qt::Key_Clear) << home;
}

void HoldsTest::keypad_with_numlock_off()
{
    QFETCH(int, key);
    QFETCH(QString, drive);
    QTest::keyClick(keyboard(), Qt::Key(key), Qt::KeypadModifier);
    const QStringList expected = drive == home ? QStringList({home}) : QStringList({drive, stop});
    QCOMPARE(exactly(int(expected.size())), expected);
}

void HoldsTest::mouse_and_keys_together()
{
    // The camera follows the newest input still held; the last release stops.
    QWidget *keys = keyboard();
    QTest::mousePress(button("ptz_upButton"), Qt::LeftButton);
    QTest::keyClick(keys, Qt::Key_Left);
    QCOMPARE(received(3), QStringList({up, go_left, up}));
    QTest::keyPress(keys, Qt::Key_Right);
    QTest::mouseRelease(button("ptz_upButton"), Qt::LeftButton);
    QTest::keyRelease(keys, Qt::Key_Right);
    QCOMPARE(received(3), QStringList({go_right, stop}));
}

void HoldsTest::tcp_connect_leaves_the_window_free()
{
    PtyPeer pty;
    click(*window, "pushButton_15"); // UDP off
    click(*window, "radioButton_9");
    open_serial(*window, pty.path());
    BlackHole nowhere;
    QTest::mousePress(button("ptz_upButton"), Qt::LeftButton);
    click(*window, "radioButton_tcp");
    control<QLineEdit>(window, "lineEdit_port")->setText(QString::number(nowhere.port));
    control<QLineEdit>(window, "lineEdit_ip")->setText("127.0.0.1");
    click(*window, "pushButton_15");
    QVERIFY(!button("pushButton_15")->isEnabled()); // connecting
    // The release gets through while the camera is being reached.
    QTest::mouseRelease(button("ptz_upButton"), Qt::LeftButton);
    const QByteArray expected = hex("81 01 06 01 0F 0F 03 01 FF 81 01 06 01 03 03 03 03 FF");
    QCOMPARE(pty.read(expected.size(), 1000), expected);
    QVERIFY(!button("pushButton_15")->isEnabled());
    // The time limit and its box stay as they were.
    QTRY_VERIFY_WITH_TIMEOUT(!boxes->boxes.isEmpty(), 10000);
    QCOMPARE(boxes->texts(), QString("警告/连接超时"));
    QVERIFY(button("pushButton_15")->isEnabled());
}

QTEST_MAIN(HoldsTest)
#include "tst_holds.moc"
