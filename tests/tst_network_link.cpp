// The network panel against a TCP camera and a UDP camera on 127.0.0.1.

#include "app/mainwindow.h"
#include "testsupport.h"
#include "visca/commands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

namespace {
QStringList debug_lines;
void record_debug(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg)
        debug_lines << text;
}

QString caption(MainWindow &window)
{
    return control<QPushButton>(&window, "pushButton_15")->text();
}

bool fields_enabled(MainWindow &window)
{
    return control<QLineEdit>(&window, "lineEdit_ip")->isEnabled() &&
           control<QLineEdit>(&window, "lineEdit_port")->isEnabled() &&
           control<QRadioButton>(&window, "radioButton_tcp")->isEnabled() &&
           control<QRadioButton>(&window, "radioButton_udp")->isEnabled();
}

QString camera_state(MainWindow &window, int row = 0) { return camera_cell(window, row, 3); }

// A port on 127.0.0.1 where nothing listens.
quint16 closed_port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
} // namespace

class NetworkLinkTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void protocol_buttons_set_the_standard_port();
    void refused_entries_data();
    void refused_entries();
    void tcp_connect_refused();
    void tcp_connect_and_disconnect();
    void tcp_read_gives_one_line();
    void camera_that_stops_reading_is_told_once();
    void dropped_tcp_connection_is_opened_again();
    void lost_camera_gets_its_stops_first_when_it_listens_again();
    void lost_link_box_waits_for_the_open_box();
    void udp_connect_sends_nothing_and_replies_are_logged();
    void visca_over_ip_port_puts_each_message_behind_a_header();
    void text_that_is_no_address_is_refused_data();
    void text_that_is_no_address_is_refused();
    void reconnect_replaces_the_destination();

private:
    ScratchFolder *folder = nullptr;
    MainWindow *window = nullptr;
    QtMessageHandler previous_handler = nullptr;
};

void NetworkLinkTest::init()
{
    folder = new ScratchFolder;
    window = new MainWindow;
    debug_lines.clear();
    previous_handler = qInstallMessageHandler(record_debug);
    click(*window, "radioButton_10"); // the pad sends on the network
}

void NetworkLinkTest::cleanup()
{
    qInstallMessageHandler(previous_handler);
    delete window;
    delete folder;
}

void NetworkLinkTest::protocol_buttons_set_the_standard_port()
{
    click(*window, "radioButton_udp");
    QCOMPARE(control<QLineEdit>(window, "lineEdit_port")->text(), QString("1259"));
    click(*window, "radioButton_tcp");
    QCOMPARE(control<QLineEdit>(window, "lineEdit_port")->text(), QString("5678"));
}

void NetworkLinkTest::refused_entries_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("box");
    QTest::newRow("empty address") << ""
                                   << "5678"
                                   << "信息/网络信息填写错误";
    QTest::newRow("empty port") << "127.0.0.1"
                                << ""
                                << "信息/网络信息填写错误";
    QTest::newRow("two dots") << "192.168.1"
                              << "5678"
                              << "警告/网络信息填写错误";
    QTest::newRow("part above 255") << "192.168.1.256"
                                    << "5678"
                                    << "警告/网络信息填写错误";
    QTest::newRow("negative part") << "1.2.3.-4"
                                   << "5678"
                                   << "警告/网络信息填写错误";
    QTest::newRow("port past 16 bits") << "127.0.0.1"
                                       << "70000"
                                       << "警告/端口信息填写错误";
    QTest::newRow("port zero") << "127.0.0.1"
                               << "0"
                               << "警告/端口信息填写错误";
    QTest::newRow("port not a number") << "127.0.0.1"
                                       << "56x"
                                       << "警告/端口信息填写错误";
}

void NetworkLinkTest::refused_entries()
{
    QFETCH(QString, address);
    QFETCH(QString, port);
    QFETCH(QString, box);
    for (const char *protocol : {"radioButton_tcp", "radioButton_udp"}) {
        click(*window, protocol);
        control<QLineEdit>(window, "lineEdit_ip")->setText(address);
        control<QLineEdit>(window, "lineEdit_port")->setText(port);
        ModalCatcher catcher;
        click(*window, "pushButton_15");
        QCOMPARE(catcher.texts(), box);
        QCOMPARE(caption(*window), QString("连接"));
        QVERIFY(fields_enabled(*window));
    }
}

void NetworkLinkTest::tcp_connect_refused()
{
    ModalCatcher catcher;
    connect_net(*window, true, closed_port());
    // Refused is no time-out: the box says what happened, once the
    // connection's signal has returned.
    QVERIFY(wait_until([&] { return !catcher.boxes.isEmpty(); }));
    QCOMPARE(catcher.texts(), QString("警告/连接失败"));
    QCOMPARE(catcher.boxes[0].reason, QString("连接被拒绝"));
    QCOMPARE(catcher.boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(caption(*window), QString("连接"));
    QVERIFY(fields_enabled(*window));
    QVERIFY(debug_lines.contains("\"Connection refused\""));
}

void NetworkLinkTest::tcp_connect_and_disconnect()
{
    TcpPeer camera;
    connect_net(*window, true, camera.port());
    QVERIFY(camera.accept());
    QCOMPARE(caption(*window), QString("断开"));
    // Small commands leave at once, not held back until the last is acknowledged.
    QCOMPARE(window->findChild<QTcpSocket *>()->socketOption(QAbstractSocket::LowDelayOption),
             QVariant(1));
    QVERIFY(!control<QLineEdit>(window, "lineEdit_ip")->isEnabled());
    QVERIFY(!control<QLineEdit>(window, "lineEdit_port")->isEnabled());
    QVERIFY(!control<QRadioButton>(window, "radioButton_tcp")->isEnabled());
    QVERIFY(!control<QRadioButton>(window, "radioButton_udp")->isEnabled());

    click(*window, "pushButton_15");
    QCOMPARE(caption(*window), QString("连接"));
    QVERIFY(fields_enabled(*window));
    // Disconnected: the pad sends nothing.
    click(*window, "ptz_resetButton");
    QCOMPARE(log_lines(*window), QStringList());
}

void NetworkLinkTest::tcp_read_gives_one_line()
{
    TcpPeer camera;
    connect_net(*window, true, camera.port());
    camera.write(hex("90 41 FF 90 51 FF"));
    QVERIFY(wait_until([&] { return !log_lines(*window).isEmpty(); }));
    QCOMPARE(log_lines(*window), QStringList({"RX：90 41 FF 90 51 FF "}));
}

void NetworkLinkTest::camera_that_stops_reading_is_told_once()
{
    SlowReader camera;
    connect_net(*window, true, camera.port);
    click(*window, "radioButton_12"); // the Manual tab on the network
    control<QPlainTextEdit>(window, "plainTextEdit")
        ->setPlainText("81 01 06 02 18 14 00 00 00 00 00 00 00 00 00 FF");
    ModalCatcher catcher;
    for (int press = 0; press < 8000; ++press)
        control<QPushButton>(window, "pushButton_13")->click();
    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].text, QString("摄像机未读取命令：在它恢复读取之前，新命令不予发送"));
    // No line claims what was refused; what was taken arrives whole.
    const int logged = log_lines(*window).size();
    QVERIFY2(logged > 100 && logged < 8000, qPrintable(QString::number(logged)));
    QCOMPARE(camera.read_all(500).size(), logged * 16);
    QCOMPARE(control<QPushButton>(window, "pushButton_15")->text(), QString("断开"));
}

void NetworkLinkTest::dropped_tcp_connection_is_opened_again()
{
    {
        TcpPeer camera;
        connect_net(*window, true, camera.port());
        QCOMPARE(caption(*window), QString("断开"));
        // A loop runs on that link from the Manual tab.
        click(*window, "radioButton_12");
        control<QPlainTextEdit>(window, "plainTextEdit")->setPlainText("81 09 04 00 FF");
        click(*window, "checkBox");
        control<QLineEdit>(window, "lineEdit")->setText("20");
        click(*window, "pushButton_13");
        auto *send = control<QPushButton>(window, "pushButton_13");
        QCOMPARE(send->text(), QString("停止"));
        ModalCatcher catcher;
        camera.drop();
        // The operator is told why, once.
        QVERIFY(wait_until([&] { return !catcher.boxes.isEmpty(); }));
        QCOMPARE(catcher.boxes.size(), 1);
        QCOMPARE(catcher.boxes[0].title, QString("警告"));
        QVERIFY2(catcher.boxes[0].text.startsWith("网络连接已断开："), qPrintable(catcher.texts()));
        QVERIFY(!debug_lines.isEmpty());
        // The link is being opened again: still the operator's, Disconnect
        // ends the trying.
        QCOMPARE(caption(*window), QString("断开"));
        QVERIFY(!fields_enabled(*window));
        QVERIFY(camera_state(*window).startsWith("正在重新连接"));
        // The loop stopped with its link.
        QCOMPARE(send->text(), QString("发送"));
        click(*window, "ptz_resetButton");
        QVERIFY(!log_lines(*window).contains("TX：81 01 06 04 FF"));
        click(*window, "pushButton_14");
        click(*window, "pushButton_15");
        QCOMPARE(caption(*window), QString("连接"));
        QVERIFY(fields_enabled(*window));
        QCOMPARE(camera_state(*window), QString("已关闭"));
    }
    // Connect works again at once.
    TcpPeer camera;
    connect_net(*window, true, camera.port());
    QCOMPARE(caption(*window), QString("断开"));
    click(*window, "ptz_resetButton");
    QCOMPARE(camera.read(5), hex("81 01 06 04 FF"));
}

void NetworkLinkTest::lost_link_box_waits_for_the_open_box()
{
    TcpPeer camera;
    connect_net(*window, true, camera.port());
    QVERIFY(camera.accept());
    // The camera drops the link while another box of the program is open.
    // One watcher answers every box for the whole test: the box that was
    // open is closed once the loss has been seen and had time to show a box
    // of its own; any other box is recorded and closed.
    QStringList later_boxes;
    QElapsedTimer since_loss;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        if (box->text() != "first") {
            later_boxes << box->text();
            box->accept();
        } else if (!since_loss.isValid() && camera_state(*window).startsWith("正在重新连接")) {
            since_loss.start();
        } else if (since_loss.isValid() && since_loss.elapsed() > 250) {
            box->reject();
        }
    });
    watcher.start(10);
    QTimer::singleShot(0, [&] { camera.drop(); });
    QMessageBox::information(window, "information", "first");
    QVERIFY(later_boxes.isEmpty()); // nothing opened over the first box
    // Then the loss is told, once.
    QVERIFY(wait_until([&] { return later_boxes.size() == 1; }));
    QVERIFY2(later_boxes[0].startsWith("网络连接已断开："), qPrintable(later_boxes.join(", ")));
    QTest::qWait(250);
    QCOMPARE(later_boxes.size(), 1);
}

void NetworkLinkTest::lost_camera_gets_its_stops_first_when_it_listens_again()
{
    ModalCatcher catcher;
    auto *right = control<QPushButton>(window, "ptz_rightButton");
    quint16 port = 0;
    {
        TcpPeer camera;
        port = camera.port();
        connect_net(*window, true, port);
        QVERIFY(camera.accept());
        QTest::mousePress(right, Qt::LeftButton);
        QCOMPARE(camera.read(9), hex("81 01 06 01 0F 0F 02 03 FF"));
        // The camera goes away mid-drive, and nothing listens any more.
        camera.drop();
    }
    QVERIFY(wait_until([&] { return catcher.boxes.size() == 1; }));
    QTest::mouseRelease(right, Qt::LeftButton);
    // The tally set meanwhile waits behind the stops.
    click(*window, "tallyProgramButton");
    // The first try fails; the next waits twice as long.
    QVERIFY(
        wait_until([&] { return camera_state(*window) == "正在重新连接（2 秒后再试）"; }, 3000));
    QTcpServer again;
    QVERIFY(again.listen(QHostAddress::LocalHost, port));
    QVERIFY(wait_until([&] { return again.hasPendingConnections(); }, 4000));
    QTcpSocket *connection = again.nextPendingConnection();
    QByteArray received;
    // The stops of every axis, before anything else; then the tally.
    QVERIFY(wait_until([&] {
        received += connection->readAll();
        return received.size() >= 37;
    }));
    QCOMPARE(received.left(37),
             hex("81 01 06 01 03 03 03 03 FF 81 01 04 07 00 FF 81 01 04 08 00 FF "
                 "81 01 7E 04 1A 00 03 FF 81 01 7E 01 0A 00 02 FF"));
    QCOMPARE(caption(*window), QString("断开"));
    QCOMPARE(catcher.boxes.size(), 1);
}

void NetworkLinkTest::udp_connect_sends_nothing_and_replies_are_logged()
{
    UdpPeer camera;
    connect_net(*window, false, camera.port());
    QCOMPARE(caption(*window), QString("断开"));
    QVERIFY(!fields_enabled(*window));
    QCOMPARE(camera.read(1, 100).size(), 0);

    click(*window, "ptz_resetButton");
    QCOMPARE(camera.read(1), QList<QByteArray>({hex("81 01 06 04 FF")}));
    camera.reply(hex("90 41 FF"));
    camera.reply(hex("90 51 FF"));
    QVERIFY(wait_until([&] { return log_lines(*window).size() == 3; }));
    QCOMPARE(log_lines(*window),
             QStringList({"TX：81 01 06 04 FF", "RX：90 41 FF ", "RX：90 51 FF "}));

    click(*window, "pushButton_15");
    QCOMPARE(caption(*window), QString("连接"));
    QVERIFY(fields_enabled(*window));
}

void NetworkLinkTest::visca_over_ip_port_puts_each_message_behind_a_header()
{
    std::unique_ptr<UdpPeer> camera;
    QString address;
    for (const QString &spare : spare_loopback_addresses()) {
        camera = std::make_unique<UdpPeer>(QHostAddress(spare), visca::visca_over_ip_port);
        address = spare;
        if (camera->bound())
            break;
    }
    QVERIFY(camera->bound());
    connect_net(*window, false, visca::visca_over_ip_port, address);
    QCOMPARE(udp_texts(*camera, 1), QStringList{"02 00 00 01 00 00 00 00 01"}); // RESET
    camera->reply(hex("02 01 00 01 00 00 00 00 01"));
    click(*window, "ptz_resetButton");
    // Number 1 went to the question whether the camera answers, at once.
    QCOMPARE(udp_texts(*camera, 1), QStringList{"01 00 00 05 00 00 00 02 81 01 06 04 FF"});
    camera->reply(hex("01 11 00 03 00 00 00 02 90 41 FF"));
    camera->reply(hex("02 01 00 02 00 00 00 02 0F 01"));
    camera->reply(hex("01 11 00 03 00 00 00 02 90 51 FF"));
    QVERIFY(wait_until([&] { return log_lines(*window).size() == 3; }));
    QCOMPARE(log_lines(*window),
             QStringList({"TX：81 01 06 04 FF", "RX：90 41 FF ", "RX：90 51 FF "}));
}

void NetworkLinkTest::text_that_is_no_address_is_refused_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QString>("address");
    // Both pass the dotted check; TCP would hand them to a host-name lookup.
    for (bool tcp : {true, false}) {
        const char *protocol = tcp ? "tcp" : "udp";
        QTest::newRow(qPrintable(QString("capital past F, %1").arg(protocol))) << tcp << "1.2.3.G";
        QTest::newRow(qPrintable(QString("empty part, %1").arg(protocol))) << tcp << "127..0.1";
    }
}

void NetworkLinkTest::text_that_is_no_address_is_refused()
{
    QFETCH(bool, tcp);
    QFETCH(QString, address);
    ModalCatcher catcher;
    connect_net(*window, tcp, 5678, address);
    QCOMPARE(catcher.texts(), QString("警告/网络信息填写错误"));
    QCOMPARE(caption(*window), QString("连接"));
    click(*window, "ptz_resetButton");
    QCOMPARE(log_lines(*window), QStringList());
}

void NetworkLinkTest::reconnect_replaces_the_destination()
{
    UdpPeer first;
    UdpPeer second;
    connect_net(*window, false, first.port());
    click(*window, "pushButton_15");
    connect_net(*window, false, second.port());
    click(*window, "ptz_resetButton");
    QCOMPARE(second.read(1), QList<QByteArray>({hex("81 01 06 04 FF")}));
    QCOMPARE(first.read(1, 100).size(), 0);
}

QTEST_MAIN(NetworkLinkTest)
#include "tst_network_link.moc"
