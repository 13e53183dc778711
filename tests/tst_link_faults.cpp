// Links that fail mid-show: a box answered late, while its link came back;
// a serial line lost under a chain with a network camera beside it.

#include "app/mainwindow.h"
#include "control/liveness.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/commands.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {
// Holds every message box open until `ready` says it may be answered, with
// the box open; `ready` runs at every look, inside the box's own loop.
class BoxHolder : public QObject
{
public:
    explicit BoxHolder(std::function<bool()> ready_to_answer) : ready(std::move(ready_to_answer))
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (!texts.contains(box->text()))
                texts << box->text();
            if (ready()) {
                box->accept();
                ++answered;
            }
        });
        timer.start(10);
    }
    int answered = 0;
    QStringList texts;

private:
    std::function<bool()> ready;
    QTimer timer;
};

const QByteArray every_stop = QByteArray::fromHex("8101060103030303ff8101040700ff8101040800ff");

void press(MainWindow &window, const char *name)
{
    QTest::mousePress(control<QPushButton>(&window, name), Qt::LeftButton);
}

void release(MainWindow &window, const char *name)
{
    QTest::mouseRelease(control<QPushButton>(&window, name), Qt::LeftButton);
}
} // namespace

class LinkFaultsTest : public QObject
{
    Q_OBJECT
private slots:
    void serial_box_answered_after_the_line_came_back();
    void tcp_box_answered_after_the_link_came_back();
    void a_lost_line_tells_its_own_cameras_and_no_box();
    void a_silent_network_camera_gets_its_stop_when_it_answers_again_data();
    void a_silent_network_camera_gets_its_stop_when_it_answers_again();
    void every_open_camera_is_asked_whether_it_answers();
    void a_tally_lost_on_the_network_goes_again();
    void remove_turns_the_lamps_off_and_undo_lights_them_again();
    void ended_by_a_signal_with_its_stops_and_its_settings_data();
    void ended_by_a_signal_with_its_stops_and_its_settings();
};

void LinkFaultsTest::serial_box_answered_after_the_line_came_back()
{
    ScratchFolder folder;
    const QString name = folder.file("ttyCamera");
    auto pty = std::make_unique<PtyPeer>();
    MainWindow window;
    QVERIFY(QFile::link(pty->path(), name));
    open_serial(window, name);
    press(window, "ptz_upButton");
    QCOMPARE(pty->read(9), QByteArray::fromHex("810106010f0f0301ff"));
    // The adapter comes back while the box is still open: the line is
    // opened anew under it, and its owed stops go; then the box is answered.
    QByteArray stops;
    bool replaced = false;
    BoxHolder holder([&] {
        if (!std::exchange(replaced, true)) {
            pty = std::make_unique<PtyPeer>();
            QFile::remove(name);
            QFile::link(pty->path(), name);
        }
        stops += pty->read(21, 0);
        return stops.size() >= every_stop.size();
    });
    pty->hang_up();
    QVERIFY(wait_until([&] { return holder.answered == 1; }, 10000));
    release(window, "ptz_upButton");
    QCOMPARE(stops, every_stop);
    QCOMPARE(holder.texts, QStringList{"串口连接已断开：设备已被拔出或不再应答"});
    // The window lives on, and so does the line.
    click(window, "ptz_resetButton");
    QCOMPARE(pty->read(5), QByteArray::fromHex("81010604ff"));
}

void LinkFaultsTest::tcp_box_answered_after_the_link_came_back()
{
    ScratchFolder folder;
    MainWindow window;
    auto camera = std::make_unique<TcpPeer>();
    const quint16 port = camera->port();
    click(window, "radioButton_10");
    connect_net(window, true, port);
    QVERIFY(camera->accept());
    // The camera listens again while the box is open; the window connects
    // anew under it; then the box is answered.
    QTcpServer again;
    BoxHolder holder([&] {
        if (camera) {
            camera.reset();
            again.listen(QHostAddress::LocalHost, port);
        }
        return again.hasPendingConnections();
    });
    camera->drop();
    QVERIFY(wait_until([&] { return holder.answered == 1; }, 10000));
    QTcpSocket *connection = again.nextPendingConnection();
    // The connection made under the box stays, and carries what is sent.
    QVERIFY(!wait_until([&] { return connection->state() != QAbstractSocket::ConnectedState; },
                        nothing_more_ms));
    click(window, "ptz_resetButton");
    QByteArray arrived;
    QVERIFY(wait_until([&] {
        arrived += connection->readAll();
        drop_liveness_inquiries(arrived);
        return arrived.size() >= 5;
    }));
    QCOMPARE(arrived, QByteArray::fromHex("81010604ff"));
    QCOMPARE(holder.texts.size(), 1);
}

void LinkFaultsTest::a_lost_line_tells_its_own_cameras_and_no_box()
{
    ScratchFolder folder;
    const QString name = folder.file("ttyChain");
    PtyPeer line;
    QVERIFY(QFile::link(line.path(), name));
    UdpPeer network;
    // Camera 3 went over to UDP with the line's name still in the file.
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=English\n"
                                       "[CAMERA_2]\nName=Two\nPortName=%1\nViscaAddress=2\n"
                                       "[CAMERA_3]\nName=Three\nLink=UDP\nPortName=%1\n"
                                       "Address=127.0.0.1\nPort=%2\n")
                                   .arg(name)
                                   .arg(network.port())
                                   .toUtf8());
    MainWindow window;
    show_exposed(&window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    open_serial(window, name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — Three"));
    click(window, "pushButton_15");
    press(window, "ptz_rightButton");
    QCOMPARE(udp_texts(network, 1), QStringList{"81 01 06 01 0F 0F 02 03 FF"});

    BoxHolder holder([] { return true; });
    line.hang_up();
    const QString told = "Camera 1, Two (Serial " + name +
                         ", 1200 baud): the serial link was lost: "
                         "the device was removed or stopped answering";
    auto *notice = control<QLabel>(&window, "ptzNoticesText");
    QVERIFY2(wait_until([&] { return notice->text().endsWith(told); }), qPrintable(notice->text()));
    // Camera 3's pan goes on: nothing of the line is its.
    QCOMPARE(udp_texts(network, 1, nothing_more_ms), QStringList());
    QVERIFY(holder.texts.isEmpty());
    QCOMPARE(control<QLabel>(&window, "activeCameraTrouble")->text(), QString());
    release(window, "ptz_rightButton");
    QCOMPARE(udp_texts(network, 1), QStringList{"81 01 06 01 03 03 03 03 FF"});
    // On camera 1 the trouble stands above the pad until it answers again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(control<QLabel>(&window, "activeCameraTrouble")->text(), told);
    QVERIFY(holder.texts.isEmpty());
    // config.ini follows the cameras as they change, without the exit
    // question; the network camera carries no serial port there.
    QVERIFY(wait_until(
        [&] {
            QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
            return stored.value("CAMERAS/Active").toString() == "1";
        },
        5000));
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERA_3/PortName").toString(), QString());
    QCOMPARE(stored.value("CAMERA_2/PortName").toString(), name);
}

// The simulated camera on `link` ("udp" or "visca-ip"), at `port` when
// given (a camera that comes back where it was).
std::unique_ptr<SimProcess> network_camera(const QString &link, const QString &address = {},
                                           quint16 port = 0)
{
    if (link == "udp")
        return std::make_unique<SimProcess>(port ? QStringList{"--udp-port", QString::number(port)}
                                                 : QStringList{});
    for (const QString &spare :
         address.isEmpty() ? spare_loopback_addresses() : QStringList{address}) {
        auto camera = std::make_unique<SimProcess>(QStringList{
            "--bind", spare, "--visca-ip-port", QString::number(visca::visca_over_ip_port)});
        if (camera->started())
            return camera;
    }
    return nullptr;
}

void attach_network(MainWindow &window, const QString &link, SimProcess &camera)
{
    click(window, "radioButton_10");
    click(window, "radioButton_12");
    connect_net(window, false, link == "udp" ? camera.udp() : visca::visca_over_ip_port,
                camera.address());
}

void LinkFaultsTest::a_silent_network_camera_gets_its_stop_when_it_answers_again_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("udp") << "udp";
    QTest::newRow("visca-ip") << "visca-ip";
}

void LinkFaultsTest::a_silent_network_camera_gets_its_stop_when_it_answers_again()
{
    QFETCH(QString, link);
    ScratchFolder folder;
    auto camera = network_camera(link);
    QVERIFY(camera && camera->started());
    const QString address = camera->address();
    const quint16 port = camera->udp();
    MainWindow window;
    window.findChild<Liveness *>("liveness")->set_every_ms(100);
    attach_network(window, link, *camera);
    press(window, "ptz_rightButton");
    QVERIFY(camera->wait_for("pan right"));
    // The camera goes off the network mid-drive: its stop is lost, sent
    // again, and given up.
    ModalCatcher catcher;
    camera.reset();
    release(window, "ptz_rightButton");
    QVERIFY(wait_until([&] { return catcher.boxes.size() == 1; }, 10000));
    QCOMPARE(catcher.boxes[0].text, QString("摄像机未确认停止命令"));
    // Back where it was, it is asked whether it answers, and its stops go
    // first, with no press.
    camera = network_camera(link, address, port);
    QVERIFY(camera && camera->started());
    QVERIFY(camera->wait_for("pan-tilt stop", 5000));
}

void LinkFaultsTest::every_open_camera_is_asked_whether_it_answers()
{
    ScratchFolder folder;
    auto camera = network_camera("udp");
    QVERIFY(camera->started());
    MainWindow window;
    window.findChild<Liveness *>("liveness")->set_every_ms(100);
    auto *state = control<QLabel>(&window, "activeCameraLine");
    attach_network(window, "udp", *camera);
    // Asked at once: it answers before anybody drives it.
    QVERIFY(wait_until([&] { return state->text().endsWith("应答中"); }));
    QVERIFY(camera->wait_for("inquiry: power"));
    QVERIFY(!log_lines(window).join('|').contains("09 04 00"));
    // Gone, it is "not answering" with no press; back, "answering" again.
    const quint16 port = camera->udp();
    camera.reset();
    QVERIFY(wait_until([&] { return state->text().contains("起无应答"); }, 5000));
    camera = network_camera("udp", {}, port);
    QVERIFY(wait_until([&] { return state->text().endsWith("应答中"); }, 5000));
}

const QStringList on_program{"81 01 7E 04 1A 00 03 FF", "81 01 7E 01 0A 00 02 FF"};

void LinkFaultsTest::a_tally_lost_on_the_network_goes_again()
{
    ScratchFolder folder;
    UdpPeer camera;
    MainWindow window;
    click(window, "radioButton_10");
    connect_net(window, false, camera.port());
    // It answers the question whether it does.
    QVERIFY(wait_until([&] {
        camera.pending();
        return camera.window_port() != 0;
    }));
    camera.reply(hex("90 50 02 FF"));
    auto *state = control<QLabel>(&window, "activeCameraLine");
    QVERIFY(wait_until([&] { return state->text().endsWith("应答中"); }));
    click(window, "tallyProgramButton");
    QCOMPARE(udp_texts(camera, 2), on_program);
    // Both lost on the way: sent again long before the ten-second refresh.
    QCOMPARE(udp_texts(camera, 2, 3000), on_program);
    for (const char *reply : {"90 41 FF", "90 51 FF", "90 41 FF", "90 51 FF"})
        camera.reply(hex(reply));
    QCOMPARE(udp_texts(camera, 1, 1500), QStringList());
}

void LinkFaultsTest::remove_turns_the_lamps_off_and_undo_lights_them_again()
{
    ScratchFolder folder;
    UdpPeer one;
    UdpPeer two;
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=English\n"
                                       "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERAS]\nOpenAtStart=true\nActive=2\n"
                                       "[CAMERA_1]\nLink=UDP\nOpen=true\n"
                                       "[CAMERA_2]\nName=Two\nLink=UDP\nAddress=127.0.0.1\n"
                                       "Port=%2\nOpen=true\n")
                                   .arg(one.port())
                                   .arg(two.port())
                                   .toUtf8());
    MainWindow window;
    click(window, "tallyProgramButton");
    QCOMPARE(udp_texts(two, 2), on_program);
    control<QTabWidget>(&window, "tabWidget")
        ->setCurrentWidget(control<QWidget>(&window, "tab_cameras"));
    click(window, "removeCameraButton");
    QCOMPARE(udp_texts(two, 2),
             QStringList({"81 01 7E 04 1A 00 03 FF", "81 01 7E 01 0A 00 03 FF"}));
    click(window, "cameraNoticesUndo");
    QCOMPARE(window.windowTitle(), QString("Zarvick v2.2 — Two"));
    QCOMPARE(udp_texts(two, 2), on_program);
    QCOMPARE(udp_texts(one, 1, nothing_more_ms), QStringList());
}

void LinkFaultsTest::ended_by_a_signal_with_its_stops_and_its_settings_data()
{
    QTest::addColumn<int>("signal_number");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void LinkFaultsTest::ended_by_a_signal_with_its_stops_and_its_settings()
{
    QFETCH(int, signal_number);
    ScratchFolder folder;
    SimProcess camera;
    QVERIFY(camera.started());
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 http_port = probe.serverPort();
    probe.close();
    folder.write("config.ini", QString("[LANGUAGE_CONF]\nlanguage=English\n"
                                       "[NET_CONF]\nProtocol=TCP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERAS]\nOpenAtStart=true\n"
                                       "[CAMERA_1]\nLink=TCP\nOpen=true\n"
                                       "[CAMERA_2]\nName=Two\nLink=UDP\nAddress=127.0.0.1\n"
                                       "Port=9\n"
                                       "[API]\nHttpPort=%2\n")
                                   .arg(camera.tcp())
                                   .arg(http_port)
                                   .toUtf8());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder.file("."));
    program.start(ZARVICK_PATH, QStringList());
    QVERIFY(program.waitForStarted(5000));
    QVERIFY(camera.wait_for("tcp: inquiry: power", 10000));
    // A drive from outside, with a lease far longer than the program lives.
    QProcess curl;
    const QString url = QString("http://127.0.0.1:%1/api/v1/cameras/1/drive").arg(http_port);
    QVERIFY(wait_until(
        [&] {
            curl.start("curl", {"-sf", "-d", R"({"pan": 1, "lease_ms": 2000})", url});
            return curl.waitForFinished(5000) && curl.exitCode() == 0;
        },
        10000));
    QVERIFY(camera.wait_for("tcp: pan right"));
    ::kill(pid_t(program.processId()), signal_number);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(camera.wait_for("tcp: pan-tilt stop"));
    // Saved as at a confirmed exit: the camera's link was open.
    QSettings stored(folder.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(stored.value("CAMERA_1/Open").toString(), QString("true"));
    QCOMPARE(stored.value("CAMERA_2/Name").toString(), QString("Two"));
}

QTEST_MAIN(LinkFaultsTest)
#include "tst_link_faults.moc"
