// The Manual tab: hand-typed command texts sent once or in a loop, with the
// interval checks and their boxes.

#include "app/mainwindow.h"
#include "camera_peer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

class ManualSendTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void sends_the_first_line_once_data();
    void sends_the_first_line_once();
    void loop_rotates_until_stop();
    void closing_the_link_stops_its_loop_data();
    void closing_the_link_stops_its_loop();
    void interval_checks_data();
    void interval_checks();
    void comment_line_sends_an_empty_command();
    void nothing_to_send();
    void closed_link_of_the_tab_sends_nothing();
    void command_format_error();
    void unterminated_text_is_refused_data();
    void unterminated_text_is_refused();
    void tab_moves_the_focus_on();
    void too_large_for_a_datagram_is_not_logged();
    void emptied_interval_keeps_the_loop_pace();
    void edited_interval_applies_at_the_next_tick();
    void mode_switch_moves_the_loop();

private:
    void start(const QString &link);
    void type(const QString &text)
    {
        control<QPlainTextEdit>(window, "plainTextEdit")->setPlainText(text);
    }
    void loop(const QString &interval);
    void press_send() { QTest::mouseClick(send_button(), Qt::LeftButton); }
    QPushButton *send_button() { return control<QPushButton>(window, "pushButton_13"); }

    ScratchFolder *folder = nullptr;
    MainWindow *window = nullptr;
    CameraPeer *camera = nullptr;
};

void ManualSendTest::start(const QString &link)
{
    folder = new ScratchFolder;
    window = new MainWindow;
    camera = new CameraPeer(link);
    camera->attach(*window);
}

void ManualSendTest::cleanup()
{
    delete camera;
    delete window;
    delete folder;
}

void ManualSendTest::loop(const QString &interval)
{
    click(*window, "checkBox");
    control<QLineEdit>(window, "lineEdit")->setText(interval);
}

void ManualSendTest::sends_the_first_line_once_data()
{
    QTest::addColumn<QString>("link");
    for (const char *link : {"serial", "tcp", "udp"})
        QTest::newRow(link) << QString(link);
}

void ManualSendTest::sends_the_first_line_once()
{
    QFETCH(QString, link);
    start(link);
    type("81 01 04 07 02 FF / zoom in\n81 01 04 07 00 FF");
    press_send();
    QCOMPARE(camera->commands_exactly(1), QStringList({"81 01 04 07 02 FF"}));
    QCOMPARE(log_lines(*window), QStringList({"TX：81 01 04 07 02 FF"}));
    QCOMPARE(send_button()->text(), QString("发送"));
}

void ManualSendTest::loop_rotates_until_stop()
{
    start("serial");
    type("81 01 06 04 FF\n\n81 01 04 07 02 FF\n81 01 04 07 00 FF / stop zoom");
    loop("30");
    press_send();
    QCOMPARE(send_button()->text(), QString("停止"));
    const QStringList rotation = {"81 01 06 04 FF", "81 01 04 07 02 FF", "81 01 04 07 00 FF"};
    QCOMPARE(camera->commands(5), rotation + rotation.mid(0, 2));
    // Stop stops, even with the editor emptied under the running loop.
    type("");
    press_send();
    QCOMPARE(send_button()->text(), QString("发送"));
    camera->commands(1, 50); // a tick already under way
    QCOMPARE(camera->commands(1, 150), QStringList());
    const QStringList lines = log_lines(*window);
    QVERIFY(lines.size() >= 5);
    QCOMPARE(lines.mid(0, 3),
             QStringList({"TX：81 01 06 04 FF", "TX：81 01 04 07 02 FF", "TX：81 01 04 07 00 FF"}));
}

void ManualSendTest::closing_the_link_stops_its_loop_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("button");
    QTest::newRow("serial, Close") << "serial"
                                   << "pushButton_16";
    QTest::newRow("udp, Disconnect") << "udp"
                                     << "pushButton_15";
}

void ManualSendTest::closing_the_link_stops_its_loop()
{
    QFETCH(QString, link);
    QFETCH(QString, button);
    start(link);
    type("81 01 06 04 FF");
    loop("20");
    press_send();
    QCOMPARE(camera->commands(2).size(), 2);
    click(*window, qPrintable(button));
    QCOMPARE(send_button()->text(), QString("发送"));
    camera->commands(100, 100); // what left before the close
    // Opened again, the link carries nothing the operator did not send now.
    click(*window, qPrintable(button));
    QCOMPARE(camera->commands(1, 150), QStringList());
    QCOMPARE(send_button()->text(), QString("发送"));
}

void ManualSendTest::interval_checks_data()
{
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("left");
    QTest::newRow("empty") << ""
                           << "信息/输入为空"
                           << "";
    QTest::newRow("one above an hour") << "3600001"
                                       << "信息/范围是0~3600000"
                                       << "";
    QTest::newRow("negative") << "-5"
                              << "信息/范围是0~3600000"
                              << "";
    QTest::newRow("eight characters") << "00000100"
                                      << "信息/范围是0~3600000"
                                      << "";
    // A typo must not count as 0 ms and flood the camera.
    QTest::newRow("letters") << "abc"
                             << "信息/范围是0~3600000"
                             << "";
    QTest::newRow("letter inside") << "1o0"
                                   << "信息/范围是0~3600000"
                                   << "";
    QTest::newRow("one hour passes") << "3600000"
                                     << ""
                                     << "3600000";
}

void ManualSendTest::interval_checks()
{
    QFETCH(QString, interval);
    QFETCH(QString, box);
    QFETCH(QString, left);
    start("serial");
    type("81 01 06 04 FF");
    loop(interval);
    ModalCatcher catcher;
    press_send();
    QCOMPARE(catcher.texts(), box);
    QCOMPARE(control<QLineEdit>(window, "lineEdit")->text(), left);
    const bool accepted = box.isEmpty();
    QCOMPARE(send_button()->text(), QString(accepted ? "停止" : "发送"));
    QCOMPARE(camera->commands_exactly(accepted ? 1 : 0).size(), accepted ? 1 : 0);
    QCOMPARE(log_lines(*window).size(), accepted ? 1 : 0);
}

void ManualSendTest::comment_line_sends_an_empty_command()
{
    start("udp");
    type(" / nothing but a note");
    press_send();
    // An empty datagram: the empty command goes out as zero bytes.
    QCOMPARE(camera->commands(1), QStringList({""}));
    QCOMPARE(log_lines(*window), QStringList({"TX："}));
}

void ManualSendTest::nothing_to_send()
{
    start("serial");
    press_send();
    type("\n\n");
    loop("100");
    ModalCatcher catcher;
    press_send();
    QCOMPARE(catcher.texts(), QString());
    QCOMPARE(send_button()->text(), QString("发送"));
    QCOMPARE(log_lines(*window), QStringList());
    QCOMPARE(camera->commands(1, 100), QStringList());
}

void ManualSendTest::closed_link_of_the_tab_sends_nothing()
{
    start("tcp");
    // The pad points at the connected network; the tab at the closed serial port.
    click(*window, "radioButton_11");
    type("81 01 06 04 FF");
    press_send();
    QCOMPARE(log_lines(*window), QStringList());
    QCOMPARE(camera->commands(1, 100), QStringList());
}

void ManualSendTest::command_format_error()
{
    start("serial");
    type("81 01 04 07 2G FF");
    ModalCatcher catcher;
    press_send();
    QCOMPARE(catcher.texts(), QString("信息/命令格式错误"));
    // Nothing left, so nothing is logged as sent.
    QCOMPARE(log_lines(*window), QStringList());
    QCOMPARE(camera->commands(1, 100), QStringList());

    // A loop whose first text does not convert does not start.
    loop("0");
    press_send();
    QCOMPARE(catcher.boxes.size(), 2);
    QCOMPARE(send_button()->text(), QString("发送"));

    // One later in the rotation stops the loop before its one box: at 0 ms a
    // box that came back at every tick would lock the operator out.
    type("81 01 06 04 FF\n81 01 04 07 2G FF");
    press_send();
    QVERIFY(wait_until([&] { return catcher.boxes.size() == 3; }));
    QCOMPARE(send_button()->text(), QString("发送"));
    QCOMPARE(camera->commands_exactly(1), QStringList({"81 01 06 04 FF"}));
    QCOMPARE(catcher.boxes.size(), 3);
    QCOMPARE(log_lines(*window), QStringList({"TX：81 01 06 04 FF"}));
}

void ManualSendTest::unterminated_text_is_refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("looping");
    QTest::newRow("81 01") << "81 01" << false;
    QTest::newRow("81 01, loop") << "81 01" << true;
    QTest::newRow("81 01 06 04") << "81 01 06 04" << false;
    QTest::newRow("81 01 06 04 FF 81") << "81 01 06 04 FF 81" << false;
}

void ManualSendTest::unterminated_text_is_refused()
{
    // The camera would keep the bytes and glue them to the next command: a
    // stop among them would be lost.
    QFETCH(QString, text);
    QFETCH(bool, looping);
    start("tcp");
    type(text);
    if (looping)
        loop("0");
    ModalCatcher catcher;
    press_send();
    QCOMPARE(catcher.texts(), QString("信息/命令格式错误"));
    QCOMPARE(send_button()->text(), QString("发送"));
    QCOMPARE(camera->commands(1, 100), QStringList());
    QCOMPARE(log_lines(*window), QStringList());
}

void ManualSendTest::tab_moves_the_focus_on()
{
    start("udp");
    show_exposed(window);
    control<QTabWidget>(window, "tabWidget")->setCurrentIndex(1);
    auto *editor = control<QPlainTextEdit>(window, "plainTextEdit");
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(editor->toPlainText(), QString());
    QVERIFY(!editor->hasFocus());
}

void ManualSendTest::too_large_for_a_datagram_is_not_logged()
{
    start("udp");
    QString text;
    for (int i = 0; i < 70000; ++i)
        text += "00 ";
    type(text + "FF");
    ModalCatcher catcher;
    press_send();
    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].title, QString("警告"));
    QVERIFY2(catcher.boxes[0].text.startsWith("命令发送失败："), qPrintable(catcher.texts()));
    QCOMPARE(log_lines(*window), QStringList());
}

void ManualSendTest::emptied_interval_keeps_the_loop_pace()
{
    start("udp");
    type("81 01 06 04 FF");
    loop("100");
    press_send();
    // Unchecking "Loop" empties and disables the field under the running loop.
    click(*window, "checkBox");
    QCOMPARE(control<QLineEdit>(window, "lineEdit")->text(), QString());
    QCOMPARE(send_button()->text(), QString("停止"));
    // Three more ticks take two intervals at least; a busy machine only
    // makes them later.
    camera->commands(1);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(camera->commands(3).size(), 3);
    QVERIFY2(clock.elapsed() >= 250, qPrintable(QString("%1 ms").arg(clock.elapsed())));
    press_send();
}

void ManualSendTest::edited_interval_applies_at_the_next_tick()
{
    start("udp");
    type("81 01 06 04 FF");
    loop("40");
    press_send();
    control<QLineEdit>(window, "lineEdit")->setText("400");
    QCOMPARE(camera->commands(2).size(), 2); // the press, then the first tick
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(camera->commands(1).size(), 1);
    QVERIFY2(clock.elapsed() >= 300, qPrintable(QString("%1 ms").arg(clock.elapsed())));
    press_send();
}

void ManualSendTest::mode_switch_moves_the_loop()
{
    start("serial");
    UdpPeer other;
    connect_net(*window, false, other.port());
    type("81 01 06 04 FF");
    loop("20");
    press_send();
    QCOMPARE(camera->commands(1), QStringList({"81 01 06 04 FF"}));
    click(*window, "radioButton_12");
    QVERIFY(other.read(2).size() == 2);
    press_send();
}

QTEST_MAIN(ManualSendTest)
#include "tst_manual_send.moc"
