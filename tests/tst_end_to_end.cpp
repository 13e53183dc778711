// The window driving the simulated camera, a program of its own, over TCP,
// UDP and its pseudo-terminal; what the camera did is read from its lines
// and its answers to inquiries. Also the shipped program's start-up.

#include "app/mainwindow.h"
#include "sim_process.h"
#include "testsupport.h"
#include "virtual_pad.h"
#include "visca/commands.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {
// Waits until the camera list says the active camera has not answered
// for the time a camera has to answer.
bool given_up(MainWindow &window)
{
    return wait_until([&] { return camera_cell(window, 0, 3).startsWith("自 "); }, 5000);
}

void hold(MainWindow &window, const char *name, int ms = 200)
{
    auto *button = control<QAbstractButton>(&window, name);
    QTest::mousePress(button, Qt::LeftButton);
    QTest::qWait(ms);
    QTest::mouseRelease(button, Qt::LeftButton);
}

void attach(MainWindow &window, SimProcess &camera, const QString &link)
{
    if (link == "visca-ip") {
        click(window, "radioButton_10");
        click(window, "radioButton_12");
        connect_net(window, false, visca::visca_over_ip_port, camera.address());
        return;
    }
    attach_link(window, link, camera.serial(), camera.tcp(), camera.udp());
}

// VISCA over IP has a port of its own: the simulator takes it on a loopback
// address of this test's.
std::unique_ptr<SimProcess> start_camera(const QString &link, const QStringList &options = {})
{
    if (link == "serial")
        return std::make_unique<SimProcess>(QStringList{"--serial"} + options);
    if (link != "visca-ip")
        return std::make_unique<SimProcess>(options);
    for (const QString &address : spare_loopback_addresses()) {
        auto camera =
            std::make_unique<SimProcess>(QStringList{"--bind", address, "--visca-ip-port",
                                                     QString::number(visca::visca_over_ip_port)} +
                                         options);
        if (camera->started())
            return camera;
    }
    return nullptr;
}

// Signed pan and tilt from a pan-tilt position answer (four or five pan
// digits, then four tilt digits).
QPair<int, int> pan_tilt(const QByteArray &answer)
{
    const int pan_digits = answer.size() - 7;
    const auto value = [&](int from, int digits) {
        int v = 0;
        for (int i = from; i < from + digits; ++i)
            v = (v << 4) | (answer.at(i) & 0x0F);
        return v >= 1 << (4 * digits - 1) ? v - (1 << 4 * digits) : v;
    };
    if (pan_digits != 4 && pan_digits != 5)
        return qMakePair(0xFFFF, 0xFFFF);
    return qMakePair(value(2, pan_digits), value(2 + pan_digits, 4));
}

QStringList link_rows() { return {"tcp", "udp", "serial", "visca-ip"}; }
} // namespace

class EndToEndTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { folder = new ScratchFolder; }
    void cleanup() { delete folder; }
    void drive_the_camera_data();
    void drive_the_camera();
    void virtual_pad_drives_the_camera();
    void lossy_network_leaves_the_camera_at_rest_data();
    void lossy_network_leaves_the_camera_at_rest();
    void dropped_connection();
    void silent_camera();
    void garbage_from_the_camera_data();
    void garbage_from_the_camera();
    void program_starts_and_runs_until_terminated();
    void command_line_data();
    void command_line();
    void catalog_builder_and_camera_state();

private:
    ScratchFolder *folder = nullptr;
};

void EndToEndTest::drive_the_camera_data()
{
    QTest::addColumn<QString>("link");
    for (const QString &link : link_rows())
        QTest::newRow(qPrintable(link)) << link;
}

void EndToEndTest::drive_the_camera()
{
    QFETCH(QString, link);
    const std::unique_ptr<SimProcess> started = start_camera(link);
    QVERIFY(started && started->started());
    SimProcess &camera = *started;
    MainWindow window;
    attach(window, camera, link);
    if (link == "visca-ip")
        QVERIFY(camera.wait_for("sequence number reset"));

    hold(window, "ptz_rightButton");
    QVERIFY(camera.wait_for(link + ": pan right at 15/15"));
    QVERIFY(camera.wait_for(link + ": pan-tilt stop"));
    const auto [pan, tilt] = pan_tilt(camera.inquire(hex("81 09 06 12 FF")));
    QVERIFY2(pan > 0 && tilt == 0, qPrintable(QString("pan %1 tilt %2").arg(pan).arg(tilt)));

    click(window, "pushButton_8"); // "5", Set
    QVERIFY(camera.wait_for(link + ": preset 5 stored"));
    click(window, "ptz_resetButton");
    QVERIFY(camera.wait_for(link + ": home"));
    click(window, "radioButton_2");
    click(window, "pushButton_8"); // "5", Call
    QVERIFY(camera.wait_for(link + ": preset 5 recalled"));
    QCOMPARE(pan_tilt(camera.inquire(hex("81 09 06 12 FF"))).first, pan);

    hold(window, "focusin_Button", 100);
    QVERIFY(camera.wait_for(link + ": focus manual"));
    QVERIFY(camera.wait_for(link + ": focus near at 3"));
    QVERIFY(camera.wait_for(link + ": focus stop"));
    QCOMPARE(camera.inquire(hex("81 09 04 38 FF")), hex("90 50 03 FF"));

    hold(window, "zoomin_Button", 100);
    QVERIFY(camera.wait_for(link + ": zoom stop"));
    const QByteArray zoom = camera.inquire(hex("81 09 04 47 FF"));
    QTest::qWait(100);
    QCOMPARE(camera.inquire(hex("81 09 04 47 FF")), zoom); // stopped
    QVERIFY(zoom != hex("90 50 00 00 00 00 FF"));

    // Every command was answered: ACK and completion reach the log (ten,
    // and one more for each held drive sent again on a slow turn).
    QVERIFY(wait_until([&] {
        const QStringList lines = log_lines(window);
        return lines.size() > 0 && lines.filter("TX：").size() >= 10 &&
               lines.join('\n').count("90 51 FF") == lines.filter("TX：").size();
    }));
    QVERIFY(log_lines(window).contains("TX：81 01 04 3F 02 5 FF"));
}

void EndToEndTest::virtual_pad_drives_the_camera()
{
    SimProcess camera;
    QVERIFY(camera.started());
    MainWindow window;
    attach(window, camera, "udp");
    VirtualPad pad;
    QVERIFY(pad.plugged());
    pad.move(SDL_CONTROLLER_AXIS_LEFTX, 1);
    QVERIFY(camera.wait_for("udp: pan right at 24/20"));
    pad.move(SDL_CONTROLLER_AXIS_LEFTX, 0);
    QVERIFY(camera.wait_for("udp: pan-tilt stop"));
    pad.press(SDL_CONTROLLER_BUTTON_X);
    QVERIFY(camera.wait_for("udp: preset 1 recalled"));
    // Unplugged mid-drive: one stop.
    pad.move(SDL_CONTROLLER_AXIS_LEFTY, -1);
    QVERIFY(camera.wait_for("udp: tilt up at 24/20"));
    pad.unplug();
    QVERIFY(wait_until([&] { return camera.lines().filter("pan-tilt stop").size() == 2; }));
    QVERIFY(log_lines(window).contains("TX：81 01 06 01 18 14 03 01 FF"));
    // Beside the questions whether it answers.
    QCOMPARE(camera.lines().filter("udp: ").size() -
                 camera.lines().filter("udp: inquiry: power").size(),
             5);
}

void EndToEndTest::lossy_network_leaves_the_camera_at_rest_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("udp") << "udp";
    QTest::newRow("visca-ip") << "visca-ip";
}

void EndToEndTest::lossy_network_leaves_the_camera_at_rest()
{
    // Three datagrams in ten lost on their way to the camera. A stop goes
    // again until one arrives or the camera is seen at rest; all ten sends
    // of one are lost in about one stop in 170,000 (0.3 to the 10th), and
    // then the operator is told.
    QFETCH(QString, link);
    const std::unique_ptr<SimProcess> started =
        start_camera(link, {"--loss", "30", "--seed", "28"});
    QVERIFY(started && started->started());
    SimProcess &camera = *started;
    MainWindow window;
    attach(window, camera, link);
    ModalCatcher catcher;
    // The camera prints one line for each datagram, taken or lost; the
    // window logs each it sent.
    const auto camera_lines = [&] { return camera.lines().filter(link + ": "); };
    const auto sent = [&] { return int(log_lines(window).filter("TX：").size()); };
    // Everything sent since `sent_before` was taken, counting from the
    // camera's line `taken_before`.
    const auto taken_since = [&](int taken_before, int sent_before) {
        return camera_lines().size() - taken_before >= sent() - sent_before;
    };
    // This drive's stop arrived after its drive, or the drive was lost.
    const auto stopped_since = [&](int from) {
        const QStringList lines = camera_lines().mid(from);
        const int drive =
            qMax(lines.lastIndexOf(QRegularExpression(".*pan (left|right) at.*")), -1);
        return drive < 0 || lines.mid(drive).filter("pan-tilt stop").size() > 0;
    };
    const auto counts = [&] {
        return QString("camera took %1, window sent %2: %3")
            .arg(camera_lines().size())
            .arg(sent())
            .arg(camera_lines().mid(camera_lines().size() - 8).join(" | "));
    };
    int untold = 0;
    int taken_before = camera_lines().size();
    int sent_before = sent();
    for (int drive = 0; drive < 120; ++drive) {
        // A busy machine may leave the camera behind: each drive starts
        // once it has taken what the last one sent.
        QVERIFY2(wait_until([&] { return taken_since(taken_before, sent_before); }, 30000),
                 qPrintable(counts()));
        taken_before = camera_lines().size();
        sent_before = sent();
        const int boxes = catcher.boxes.size();
        // Back towards the middle: a camera at its end is at rest whatever
        // it is sent, and says so.
        const int pan = pan_tilt(camera.inquire(hex("81 09 06 12 FF"))).first;
        auto *button =
            control<QAbstractButton>(&window, pan > 0 ? "ptz_leftButton" : "ptz_rightButton");
        QTest::mousePress(button, Qt::LeftButton);
        QTest::qWait(5);
        QTest::mouseRelease(button, Qt::LeftButton);
        QVERIFY2(wait_until(
                     [&] {
                         return catcher.boxes.size() > boxes ||
                                (taken_since(taken_before, sent_before) &&
                                 stopped_since(taken_before));
                     },
                     30000),
                 qPrintable(counts()));
        // At rest: the same position a moment apart (pan moves 1500 units a second).
        const QByteArray first = camera.inquire(hex("81 09 06 12 FF"));
        QTest::qWait(20);
        const QByteArray second = camera.inquire(hex("81 09 06 12 FF"));
        if (first != second) {
            untold += catcher.boxes.size() == boxes;
            camera.inquire(hex("81 01 06 01 03 03 03 03 FF")); // for the next round
        }
    }
    QCOMPARE(untold, 0);
    QVERIFY2(wait_until([&] { return taken_since(taken_before, sent_before); }, 30000),
             qPrintable(counts()));
    QVERIFY2(camera_lines().filter("datagram lost").size() > 60, "the network lost too little");
}

void EndToEndTest::dropped_connection()
{
    // The question whether it answers, the drive, its stop.
    SimProcess camera({"--drop-after", "3"});
    MainWindow window;
    attach(window, camera, "tcp");
    auto *connect_button = control<QPushButton>(&window, "pushButton_15");
    QCOMPARE(connect_button->text(), QString("断开"));
    ModalCatcher catcher;
    hold(window, "ptz_upButton", 20);
    QVERIFY(camera.wait_for("dropping the connection after 3 messages"));
    QVERIFY(wait_until([&] { return catcher.boxes.size() == 1; }));
    // The link comes back by itself; the stop was confirmed before the
    // drop, so nothing is owed, and the camera is driven at once.
    QVERIFY(wait_until([&] { return camera.lines().filter("connected").size() == 3; }, 5000));
    QCOMPARE(connect_button->text(), QString("断开"));
    click(window, "ptz_resetButton");
    QVERIFY(camera.wait_for("tcp: home"));
    // Disconnect ends the trying.
    click(window, "pushButton_15");
    QCOMPARE(connect_button->text(), QString("连接"));
}

void EndToEndTest::silent_camera()
{
    SimProcess camera({"--silent"});
    MainWindow window;
    attach(window, camera, "udp");
    click(window, "ptz_resetButton");
    QVERIFY(camera.wait_for("udp: home"));
    // Nothing came within the time a camera has to answer.
    QVERIFY(given_up(window));
    QCOMPARE(log_lines(window), QStringList({"TX：81 01 06 04 FF"}));
}

void EndToEndTest::garbage_from_the_camera_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QStringList>("received");
    // Answers without FF: the serial link waits for the end of a packet
    // that never comes, UDP shows each datagram as it is.
    QTest::newRow("serial") << "serial" << QStringList{};
    QTest::newRow("udp") << "udp" << QStringList{"RX：90 41 ", "RX：90 51 "};
}

void EndToEndTest::garbage_from_the_camera()
{
    QFETCH(QString, link);
    QFETCH(QStringList, received);
    SimProcess camera({"--garbage", "--serial"});
    MainWindow window;
    attach(window, camera, link);
    click(window, "ptz_resetButton");
    QVERIFY(camera.wait_for(link + ": home"));
    const QStringList expected = QStringList{"TX：81 01 06 04 FF"} + received;
    // The answer to the question whether it answers is garbage too, and
    // comes whenever the camera sends it.
    const auto logged = [&window] {
        QStringList lines = log_lines(window);
        lines.removeAll("RX：90 50 02 ");
        return lines;
    };
    QVERIFY(wait_until([&] { return logged() == expected; }));
    // No reply among what came, however long the camera had.
    QVERIFY(given_up(window));
    QCOMPARE(logged(), expected);
}

void EndToEndTest::program_starts_and_runs_until_terminated()
{
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder->file("."));
    program.start(ZARVICK_PATH, QStringList());
    QVERIFY(program.waitForStarted(5000));
    QVERIFY(!program.waitForFinished(1500)); // still running
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished(3000));
    // Ended from outside, it ends as a confirmed exit does: saved.
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(QFile::exists(folder->file("config.ini")));
}

void EndToEndTest::command_line_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exit_code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("version") << QStringList{"--version"} << 0 << "zarvick " ZARVICK_VERSION "\n"
                             << "";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: "
                          << "";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << ""
                                    << "Unknown option 'bogus'.";
    // One line a message, several in one capture; what does not read says so.
    QTest::newRow("explain")
        << QStringList{"--explain", "81 01 04 47 04 00 00 00 FF 90 41 FF",
                       "81 01 04 00 03 FF 81 01"}
        << 0
        << "81 01 04 47 04 00 00 00 FF  zoom direct, to camera 1, position 16384 (4000h)\n"
           "90 41 FF  ACK, from camera 1, socket 1 (1h)\n"
           "81 01 04 00 03 FF  power, to camera 1, power standby (3, 3h)\n"
           "81 01  incomplete: no FF at its end\n"
        << "";
    // An answer is read as its inquiry's, the camera's last in the capture.
    QTest::newRow("explain answers")
        << QStringList{"--explain", "81 09 04 47 FF 90 50 04 00 00 00 FF 90 50 01 FF"} << 0
        << "81 09 04 47 FF  zoom position inquiry, to camera 1\n"
           "90 50 04 00 00 00 FF  answer to zoom position inquiry, zoom 16384 (4000h)\n"
           "90 50 01 FF  answer to an inquiry not given, from camera 1\n"
        << "";
    QTest::newRow("explain, not hex") << QStringList{"--explain", "81 01 zz FF", "90 41 FF"} << 1
                                      << "90 41 FF  ACK, from camera 1, socket 1 (1h)\n"
                                      << "zarvick: not hex: 81 01 zz FF\n";
}

void EndToEndTest::command_line()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exit_code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    // No display at all: these must not reach for a window.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder->file("."));
    program.start(ZARVICK_PATH, arguments);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exit_code);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString complained = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), qPrintable(printed));
    QVERIFY2(err.isEmpty() ? complained.isEmpty() : complained.startsWith(err),
             qPrintable(complained));
    if (exit_code == 2)
        QVERIFY(complained.contains("Usage: "));
    QVERIFY(!QFile::exists(folder->file("config.ini")));
}

QTEST_MAIN(EndToEndTest)
#include "tst_end_to_end.moc"

void EndToEndTest::catalog_builder_and_camera_state()
{
    // A command picked from the catalog, its field set, goes out as written;
    // then the camera is asked every inquiry, and the table reads it.
    SimProcess camera;
    QVERIFY(camera.started());
    MainWindow window;
    QTest::keyClick(control<QComboBox>(&window, "comboBox_3"), Qt::Key_Down);
    attach_over_udp(window, camera);
    click(window, "radioButton_12");
    control<QLineEdit>(&window, "commandSearchEdit")->setText("04 47");
    auto *list = control<QListWidget>(&window, "commandCatalogList");
    const QList<QListWidgetItem *> found = list->findItems("zoom direct", Qt::MatchStartsWith);
    QVERIFY(!found.isEmpty() && !found.first()->isHidden());
    QVERIFY(list->findItems("power", Qt::MatchStartsWith).first()->isHidden());
    list->setCurrentItem(found.first());
    control<QSpinBox>(&window, "commandField_p")->setValue(0x1234);
    auto *text = control<QPlainTextEdit>(&window, "plainTextEdit");
    QCOMPARE(text->toPlainText(), QString("81 01 04 47 01 02 03 04 FF"));
    click(window, "pushButton_13");
    QVERIFY(camera.wait_for("zoom direct 4660"));

    click(window, "askCameraButton");
    auto *note = control<QLabel>(&window, "askCameraNote");
    auto *table = control<QTableWidget>(&window, "askCameraTable");
    QVERIFY(wait_until([&] { return note->text().contains("answered"); }, 10000));
    QCOMPARE(note->text(), QString("Camera 1 answered %1 of %1 inquiries").arg(table->rowCount()));
    const QList<QTableWidgetItem *> power = table->findItems("power inquiry", Qt::MatchExactly);
    QCOMPARE(power.size(), 1);
    const int row = power.first()->row();
    QCOMPARE(table->item(row, 2)->text(), QString("90 50 02 FF"));
    QCOMPARE(table->item(row, 3)->text(), QString("power on (2, 2h)"));
    click(window, "askCameraCopyButton");
    QVERIFY(QGuiApplication::clipboard()->text().contains(
        "\npower inquiry\t81 09 04 00 FF\t90 50 02 FF\tpower on (2, 2h)\n"));
    // Nothing of it in the log: the questions are the program's own.
    for (const QString &line : log_lines(window))
        QVERIFY2(!line.contains("81 09 04 00"), qPrintable(line));
}
