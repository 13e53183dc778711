// The control panel end to end: each button pressed through the widgets,
// the bytes read at a real camera peer on serial, TCP and UDP, and the TX
// lines of the log.

#include "app/mainwindow.h"
#include "camera_peer.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
const QString stop = "81 01 06 01 03 03 03 03 FF";

QStringList tx(const QStringList &commands)
{
    QStringList lines;
    for (const QString &command : commands)
        lines << "TX：" + command;
    return lines;
}

void add_link_rows(const char *name, const std::function<void(QTestData &)> &values)
{
    for (const char *link : {"serial", "tcp", "udp"})
        values(QTest::newRow(qPrintable(QString("%1 on %2").arg(name, link))) << QString(link));
}
} // namespace

class CameraControlTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void pad_data();
    void pad();
    void home_sends_on_the_click();
    void zoom_and_focus_data();
    void zoom_and_focus();
    void focus_release_during_the_wait_stops_after_the_drive();
    void focus_speed_is_read_after_the_wait();
    void quick_presets_data();
    void quick_presets();
    void preset_field_data();
    void preset_field();
    void nothing_happens_while_the_link_is_closed_data();
    void nothing_happens_while_the_link_is_closed();

private:
    MainWindow &start(const QString &link);
    QPushButton *button(const QString &name)
    {
        return control<QPushButton>(window, qPrintable(name));
    }

    ScratchFolder *folder = nullptr;
    MainWindow *window = nullptr;
    CameraPeer *camera = nullptr;
};

MainWindow &CameraControlTest::start(const QString &link)
{
    folder = new ScratchFolder;
    window = new MainWindow;
    camera = new CameraPeer(link);
    camera->attach(*window);
    return *window;
}

void CameraControlTest::cleanup()
{
    delete camera;
    delete window;
    delete folder;
    camera = nullptr;
    window = nullptr;
    folder = nullptr;
}

void CameraControlTest::pad_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pan");
    QTest::addColumn<int>("tilt");
    QTest::addColumn<QString>("drive");
    const struct {
        const char *name;
        int pan, tilt;
        const char *drive;
    } rows[] = {
        // The boxes list the speeds themselves: index 0 is speed 01, and
        // the last items are the top speeds 18h (pan) and 14h (tilt).
        {"ptz_upButton", 14, 14, "81 01 06 01 0F 0F 03 01 FF"},
        {"ptz_downButton", 14, 14, "81 01 06 01 0F 0F 03 02 FF"},
        {"ptz_leftButton", 0, 0, "81 01 06 01 01 01 01 03 FF"},
        {"ptz_rightButton", 14, 14, "81 01 06 01 0F 0F 02 03 FF"},
        {"ptz_leftupButton", 10, 3, "81 01 06 01 0B 04 01 01 FF"},
        {"ptz_rightupButton", 23, 19, "81 01 06 01 18 14 02 01 FF"},
        {"ptz_leftdownButton", 0, 19, "81 01 06 01 01 14 01 02 FF"},
        {"ptz_rightdownButton", 15, 16, "81 01 06 01 10 11 02 02 FF"},
    };
    for (const auto &row : rows)
        add_link_rows(row.name, [&](QTestData &data) {
            data << QString(row.name) << row.pan << row.tilt << QString(row.drive);
        });
}

void CameraControlTest::pad()
{
    QFETCH(QString, link);
    QFETCH(QString, name);
    QFETCH(int, pan);
    QFETCH(int, tilt);
    QFETCH(QString, drive);
    start(link);
    control<QComboBox>(window, "hcomboBox")->setCurrentIndex(pan);
    control<QComboBox>(window, "vcomboBox")->setCurrentIndex(tilt);

    QTest::mousePress(button(name), Qt::LeftButton);
    QCOMPARE(camera->commands(1), QStringList({drive}));
    QTest::mouseRelease(button(name), Qt::LeftButton);
    QCOMPARE(camera->commands(1), QStringList({stop}));
    QCOMPARE(log_lines(*window), tx({drive, stop}));
    QCOMPARE(log_colour(*window, 1), QColor("blue"));
}

void CameraControlTest::home_sends_on_the_click()
{
    start("serial");
    QTest::mousePress(button("ptz_resetButton"), Qt::LeftButton);
    QCOMPARE(camera->commands(1, 100), QStringList());
    QTest::mouseRelease(button("ptz_resetButton"), Qt::LeftButton);
    QCOMPARE(camera->commands(1), QStringList({"81 01 06 04 FF"}));
    QCOMPARE(log_lines(*window), tx({"81 01 06 04 FF"}));
}

void CameraControlTest::zoom_and_focus_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QStringList>("press");
    QTest::addColumn<QString>("release");
    const QString manual = "81 01 04 38 03 FF";
    add_link_rows("zoom in", [](QTestData &data) {
        data << "zoomin_Button" << 5 << QStringList{"81 01 04 07 25 FF"} << "81 01 04 07 00 FF";
    });
    add_link_rows("zoom out", [](QTestData &data) {
        data << "zoomout_Button" << 7 << QStringList{"81 01 04 07 37 FF"} << "81 01 04 07 00 FF";
    });
    add_link_rows("focus in", [&](QTestData &data) {
        data << "focusin_Button" << 3 << QStringList{manual, "81 01 04 08 33 FF"}
             << "81 01 04 08 00 FF";
    });
    add_link_rows("focus out", [&](QTestData &data) {
        data << "focusout_Button" << 0 << QStringList{manual, "81 01 04 08 20 FF"}
             << "81 01 04 08 00 FF";
    });
}

void CameraControlTest::zoom_and_focus()
{
    QFETCH(QString, link);
    QFETCH(QString, name);
    QFETCH(int, speed);
    QFETCH(QStringList, press);
    QFETCH(QString, release);
    start(link);
    control<QComboBox>(window, name.startsWith("zoom") ? "zoomcomboBox" : "focuscomboBox")
        ->setCurrentIndex(speed);

    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(button(name), Qt::LeftButton);
    QCOMPARE(camera->commands(press.size()), press);
    // A focus drive follows the manual-focus command after a 50 ms wait.
    if (press.size() == 2)
        QVERIFY(clock.elapsed() >= 50);
    QTest::mouseRelease(button(name), Qt::LeftButton);
    QCOMPARE(camera->commands(1), QStringList({release}));
    QCOMPARE(log_lines(*window), tx(press + QStringList{release}));
}

void CameraControlTest::focus_release_during_the_wait_stops_after_the_drive()
{
    start("serial");
    // The operator lets go 10 ms into the 50 ms manual-focus wait.
    QTimer::singleShot(10,
                       [this] { QTest::mouseRelease(button("focusin_Button"), Qt::LeftButton); });
    QTest::mousePress(button("focusin_Button"), Qt::LeftButton);
    const QStringList expected = {"81 01 04 38 03 FF", "81 01 04 08 33 FF", "81 01 04 08 00 FF"};
    QCOMPARE(camera->commands(3), expected);
    QCOMPARE(log_lines(*window), tx(expected));
    // The held-back stop is sent once, and the next press starts afresh.
    QTest::mousePress(button("focusin_Button"), Qt::LeftButton);
    QTest::mouseRelease(button("focusin_Button"), Qt::LeftButton);
    QCOMPARE(camera->commands(3), expected);
    QCOMPARE(camera->commands(1, 100), QStringList());
}

void CameraControlTest::focus_speed_is_read_after_the_wait()
{
    start("serial");
    QTest::mousePress(button("focusin_Button"), Qt::LeftButton);
    control<QComboBox>(window, "focuscomboBox")->setCurrentIndex(7); // during the wait
    QTest::mouseRelease(button("focusin_Button"), Qt::LeftButton);
    QCOMPARE(camera->commands(3),
             QStringList({"81 01 04 38 03 FF", "81 01 04 08 37 FF", "81 01 04 08 00 FF"}));
}

void CameraControlTest::quick_presets_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("call");
    add_link_rows("set 5", [](QTestData &data) { data << 5 << false; });
    add_link_rows("call 5", [](QTestData &data) { data << 5 << true; });
    for (int number : {0, 1, 2, 3, 4, 6, 7, 8, 9})
        QTest::newRow(qPrintable(QString("call %1").arg(number))) << "serial" << number << true;
}

void CameraControlTest::quick_presets()
{
    QFETCH(QString, link);
    QFETCH(int, number);
    QFETCH(bool, call);
    start(link);
    if (call)
        click(*window, "radioButton_2");
    QTest::mouseClick(button(QString("pushButton_%1").arg(number + 3)), Qt::LeftButton);
    const QString action = call ? "02" : "01";
    QCOMPARE(camera->commands(1),
             QStringList({QString("81 01 04 3F %1 0%2 FF").arg(action).arg(number)}));
    // The log shows the number as the button wrote it, in decimal.
    QCOMPARE(log_lines(*window), tx({QString("81 01 04 3F %1 %2 FF").arg(action).arg(number)}));
}

void CameraControlTest::preset_field_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sent");
    add_link_rows("call 254", [](QTestData &data) {
        data << "254"
             << "pushButton_2"
             << "81 01 04 3F 02 FE FF";
    });
    add_link_rows("set 12", [](QTestData &data) {
        data << "12"
             << "pushButton"
             << "81 01 04 3F 01 0C FF";
    });
    // An empty or mistyped number must not overwrite or recall preset 0.
    QTest::newRow("empty is refused") << "serial"
                                      << ""
                                      << "pushButton"
                                      << "";
    QTest::newRow("letters are refused") << "serial"
                                         << "ab"
                                         << "pushButton_2"
                                         << "";
    QTest::newRow("255 is refused") << "serial"
                                    << "255"
                                    << "pushButton"
                                    << "";
    QTest::newRow("-1 is refused") << "serial"
                                   << "-1"
                                   << "pushButton_2"
                                   << "";
}

void CameraControlTest::preset_field()
{
    QFETCH(QString, link);
    QFETCH(QString, field);
    QFETCH(QString, name);
    QFETCH(QString, sent);
    start(link);
    // The field's buttons decide themselves, whatever the radio buttons say.
    click(*window, name == "pushButton" ? "radioButton_2" : "radioButton");
    auto *number = control<QLineEdit>(window, "lineEdit_2");
    number->setText(field);
    ModalCatcher catcher;
    QTest::mouseClick(button(name), Qt::LeftButton);
    if (sent.isEmpty()) {
        QCOMPARE(catcher.texts(), QString("信息/预置位号错误"));
        QCOMPARE(number->text(), QString());
        QCOMPARE(camera->commands(1, 100), QStringList());
        QCOMPARE(log_lines(*window), QStringList());
    } else {
        QCOMPARE(catcher.texts(), QString());
        QCOMPARE(camera->commands(1), QStringList({sent}));
        QCOMPARE(log_lines(*window), tx({sent}));
        QCOMPARE(number->text(), field);
    }
}

void CameraControlTest::nothing_happens_while_the_link_is_closed_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("serial chosen, not open") << "radioButton_9";
    QTest::newRow("tcp chosen, not connected") << "radioButton_tcp";
    QTest::newRow("udp chosen, not ready") << "radioButton_udp";
}

void CameraControlTest::nothing_happens_while_the_link_is_closed()
{
    QFETCH(QString, mode);
    folder = new ScratchFolder;
    window = new MainWindow;
    camera = new CameraPeer("serial");
    // Opened, then closed: the port object exists but the link is down.
    open_serial(*window, camera->pty.path());
    click(*window, "pushButton_16");
    if (mode != "radioButton_9") {
        click(*window, "radioButton_10");
        click(*window, qPrintable(mode));
    }
    control<QLineEdit>(window, "lineEdit_2")->setText("300");
    ModalCatcher catcher;
    const QStringList buttons = {"ptz_upButton",       "ptz_downButton",      "ptz_leftButton",
                                 "ptz_rightButton",    "ptz_leftupButton",    "ptz_rightupButton",
                                 "ptz_leftdownButton", "ptz_rightdownButton", "ptz_resetButton",
                                 "zoomin_Button",      "zoomout_Button",      "focusin_Button",
                                 "focusout_Button",    "pushButton",          "pushButton_2",
                                 "pushButton_3",       "pushButton_12"};
    for (const QString &name : buttons)
        QTest::mouseClick(button(name), Qt::LeftButton);
    QCOMPARE(catcher.texts(), QString());
    QCOMPARE(log_lines(*window), QStringList());
    QCOMPARE(camera->commands(1, 100), QStringList());
}

QTEST_MAIN(CameraControlTest)
#include "tst_camera_control.moc"
