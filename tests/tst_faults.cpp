// Links failing at random under a show: six simulated cameras on every link
// kind (a chain of three on a pseudo-terminal, TCP, UDP losing 30 % of its
// datagrams, VISCA over IP), killed, stopped and restarted at random moments
// while they are driven, sent to presets and kept positions, play recorded
// moves and are switched between. From a fixed
// seed (ZARVICK_FAULTS_SEED), for ZARVICK_FAULTS_SECONDS; a failure prints
// its seed and steps. What must hold: the window lives; every camera
// answers again once its camera is back (its row says so); and every drive
// of an axis that a camera heard is followed there by its stop or a move
// that ends by itself. Drives come from the pad and from outside (HTTP
// with a lease).

#include "app/mainwindow.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/commands.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTcpServer>
#include <QtTest>

#include <csignal>
#include <list>
#include <sys/types.h>

namespace {
int setting(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// One simulated camera (or chain) that can be killed and brought back
// where it was: same ports, same serial path.
struct Station {
    QString link;
    QStringList options;
    std::unique_ptr<SimProcess> sim;
    bool stopped = false;
    // The symbolic link the simulator makes to its terminal, if any.
    QString serial_link;

    bool start()
    {
        sim = std::make_unique<SimProcess>(options);
        if (!sim->started())
            return false;
        // Back at the same place after a kill.
        options << "--tcp-port" << QString::number(sim->tcp()) << "--udp-port"
                << QString::number(sim->udp());
        return true;
    }
    void kill()
    {
        if (!sim)
            return;
        ::kill(pid_t(sim->pid()), SIGKILL);
        sim.reset();
        stopped = false;
        // A dead camera's serial link would name a terminal the system
        // hands to the next program that asks (another test, say): the
        // window must find nothing there until the camera is back.
        if (!serial_link.isEmpty())
            QFile::remove(serial_link);
    }
    void pause(bool on)
    {
        if (!sim || stopped == on)
            return;
        ::kill(pid_t(sim->pid()), on ? SIGSTOP : SIGCONT);
        stopped = on;
    }
};

// A kept position and a recorded move (a pan, a zoom, their stops) for
// each of the six cameras.
QByteArray kept_on_every_camera()
{
    QByteArray groups;
    for (int camera = 1; camera <= 6; ++camera) {
        groups += QString("[CAMERA_%1_POSITIONS]\nsize=1\n1\\Name=P\n1\\Pan=%2\n1\\Tilt=0\n"
                          "1\\Zoom=0\n"
                          "[CAMERA_%1_MOVES]\nsize=1\n1\\Name=M\n1\\Pan=-200\n1\\Tilt=0\n"
                          "1\\Zoom=0\n1\\Drives=0 pan-tilt 1 0 5 5 | 700 zoom 1 3 | "
                          "1200 pan-tilt stop | 1500 zoom stop\n")
                      .arg(camera)
                      .arg(300 * camera)
                      .toUtf8();
    }
    return groups;
}

// "camera N axis" for every axis whose last drive heard by the camera was
// followed by no stop, nor by a move that ends by itself.
QStringList left_moving(const QStringList &lines)
{
    static const QRegularExpression line("^\\S+: (?:camera (\\d): )?(.*)$");
    static const QRegularExpression pan_tilt_drive("^(pan|tilt) (left|right|up|down)");
    static const QRegularExpression pan_tilt_end(
        "^(pan-tilt stop|home|pan-tilt reset|pan-tilt absolute|pan-tilt relative)");
    static const QRegularExpression recalled("^preset \\d+ recalled$");
    QMap<QString, bool> moving;
    for (const QString &text : lines) {
        const auto match = line.match(text);
        if (!match.hasMatch())
            continue;
        const QString camera = "camera " + (match.captured(1).isEmpty() ? "1" : match.captured(1));
        const QString what = match.captured(2);
        if (recalled.match(what).hasMatch()) {
            for (const char *axis : {" pan-tilt", " zoom", " focus"})
                moving[camera + axis] = false;
        }
        if (pan_tilt_drive.match(what).hasMatch())
            moving[camera + " pan-tilt"] = true;
        if (pan_tilt_end.match(what).hasMatch())
            moving[camera + " pan-tilt"] = false;
        for (const QString axis : {"zoom", "focus"}) {
            if (what.startsWith(axis + " tele") || what.startsWith(axis + " wide") ||
                what.startsWith(axis + " far") || what.startsWith(axis + " near"))
                moving[camera + ' ' + axis] = true;
            if (what.startsWith(axis + " stop") || what.startsWith(axis + " direct"))
                moving[camera + ' ' + axis] = false;
        }
    }
    QStringList left;
    for (auto entry = moving.cbegin(); entry != moving.cend(); ++entry) {
        if (entry.value())
            left << entry.key();
    }
    return left;
}
} // namespace

class FaultsTest : public QObject
{
    Q_OBJECT
private slots:
    void the_left_moving_reader();
    void links_fail_at_random_under_a_show();
};

void FaultsTest::the_left_moving_reader()
{
    QCOMPARE(left_moving({"tcp: pan right at 5/5", "tcp: camera 2: zoom tele at 3",
                          "tcp: camera 2: zoom stop", "tcp: camera 3: focus far at 2"}),
             QStringList({"camera 1 pan-tilt", "camera 3 focus"}));
    QCOMPARE(left_moving({"udp: tilt up at 5/5", "udp: preset 3 recalled",
                          "udp: camera 2: pan left at 2/2", "udp: camera 2: pan-tilt stop"}),
             QStringList());
}

void FaultsTest::links_fail_at_random_under_a_show()
{
    const int seed = setting("ZARVICK_FAULTS_SEED", 1);
    const int seconds = setting("ZARVICK_FAULTS_SECONDS", 30);
    QRandomGenerator draw{quint32(seed)};
    QStringList steps;
    // The text stays here while the check that shows it runs: a pointer
    // into a temporary would show nothing (or worse).
    QByteArray told;
    const auto failed = [&](const QString &what) {
        told = QString("%1 (seed %2; tools/faults --seed %2 repeats it)\nsteps:\n%3")
                   .arg(what)
                   .arg(seed)
                   .arg(steps.mid(std::max(0, int(steps.size()) - 60)).join('\n'))
                   .toLocal8Bit();
        return told.constData();
    };

    ScratchFolder folder;
    const QString line_path = folder.file("ttyChain");
    QString spare;
    std::vector<Station> stations(4);
    stations[0] = {
        "serial", {"--serial", "--link", line_path, "--chain", "3"}, nullptr, false, line_path};
    stations[1] = {"tcp", {}, nullptr, false, {}};
    stations[2] = {"udp", {"--loss", "30", "--seed", QString::number(seed)}, nullptr, false, {}};
    for (const QString &address : spare_loopback_addresses()) {
        stations[3] = {
            "visca-ip",
            {"--bind", address, "--visca-ip-port", QString::number(visca::visca_over_ip_port)},
            nullptr,
            false,
            {}};
        if (stations[3].start()) {
            spare = address;
            break;
        }
    }
    QVERIFY(!spare.isEmpty());
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 http_port = probe.serverPort();
    probe.close();
    for (int i = 0; i < 3; ++i)
        QVERIFY(stations[size_t(i)].start());
    folder.write("config.ini",
                 QString("[LANGUAGE_CONF]\nlanguage=Chinese\n"
                         "[SERIAL_CONF]\nPortName=%1\n"
                         "[CAMERAS]\nOpenAtStart=true\n"
                         "[CAMERA_1]\nLink=Serial\nOpen=true\n"
                         "[CAMERA_2]\nName=S2\nPortName=%1\nViscaAddress=2\nOpen=true\n"
                         "[CAMERA_3]\nName=S3\nPortName=%1\nViscaAddress=3\nOpen=true\n"
                         "[CAMERA_4]\nName=T\nLink=TCP\nAddress=127.0.0.1\nPort=%2\nOpen=true\n"
                         "[CAMERA_5]\nName=U\nLink=UDP\nAddress=127.0.0.1\nPort=%3\nOpen=true\n"
                         "[CAMERA_6]\nName=V\nLink=VISCA over IP\nAddress=%4\nPort=%5\n"
                         "Open=true\n[API]\nHttpPort=%6\n")
                         .arg(line_path)
                         .arg(stations[1].sim->tcp())
                         .arg(stations[2].sim->udp())
                         .arg(spare)
                         .arg(visca::visca_over_ip_port)
                         .arg(http_port)
                         .toUtf8() +
                     kept_on_every_camera());
    // A box, should one open, is answered at once.
    ModalCatcher catcher;
    MainWindow window;
    window.start_remote();
    QVERIFY(log_lines(window).join('\n').contains("HTTP 接口"));
    std::list<QProcess> clients;
    show_exposed(&window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const char *held_buttons[] = {"ptz_upButton",       "ptz_downButton",   "ptz_leftButton",
                                  "ptz_rightButton",    "ptz_leftupButton", "zoomin_Button",
                                  "zoomout_Button",     "focusin_Button",   "focusout_Button",
                                  "ptz_rightdownButton"};
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        const int action = int(draw.bounded(10));
        if (action < 4) {
            const char *name = held_buttons[draw.bounded(int(std::size(held_buttons)))];
            const int hold_ms = 30 + int(draw.bounded(600));
            steps
                << QString("%1 ms: hold %2 for %3 ms").arg(clock.elapsed()).arg(name).arg(hold_ms);
            auto *button = control<QPushButton>(&window, name);
            QTest::mousePress(button, Qt::LeftButton);
            QTest::qWait(hold_ms);
            QTest::mouseRelease(button, Qt::LeftButton);
        } else if (action < 6) {
            const int camera = 1 + int(draw.bounded(6));
            steps << QString("%1 ms: Ctrl+%2").arg(clock.elapsed()).arg(camera);
            QWidget *focused = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
            QTest::keyClick(focused, Qt::Key(Qt::Key_0 + camera), Qt::ControlModifier);
        } else if (action < 7 && clients.size() < 8) {
            const int camera = 1 + int(draw.bounded(6));
            const QString body = QString(R"({"%1": %2, "lease_ms": %3})")
                                     .arg(draw.bounded(2) ? "pan" : "zoom")
                                     .arg(draw.bounded(2) ? 1 : -1)
                                     .arg(200 + draw.bounded(1200));
            steps << QString("%1 ms: HTTP drive of camera %2: %3")
                         .arg(clock.elapsed())
                         .arg(camera)
                         .arg(body);
            clients.emplace_back();
            clients.back().start("curl", {"-s", "-m", "3", "-d", body,
                                          QString("http://127.0.0.1:%1/api/v1/cameras/%2/drive")
                                              .arg(http_port)
                                              .arg(camera)});
        } else if (action < 8 && draw.bounded(2) == 0) {
            const bool play = draw.bounded(2) == 0;
            steps << QString("%1 ms: %2").arg(clock.elapsed()).arg(play ? "play" : "Go");
            if (play) {
                control<QPushButton>(&window, "playMoveButton")->click();
            } else {
                control<QListWidget>(&window, "positionsList")->setCurrentRow(0);
                control<QPushButton>(&window, "goPositionButton")->click();
            }
        } else if (action < 8) {
            const int preset = int(draw.bounded(10));
            steps << QString("%1 ms: preset button %2").arg(clock.elapsed()).arg(preset);
            click(window, qPrintable(QString("pushButton_%1").arg(preset + 3)));
        } else {
            Station &station = stations[draw.bounded(int(stations.size()))];
            const int fault = int(draw.bounded(3));
            steps << QString("%1 ms: %2 %3")
                         .arg(clock.elapsed())
                         .arg(QStringList{"kill", "stop", "continue or restart"}[fault])
                         .arg(station.link);
            if (fault == 0) {
                station.kill();
            } else if (fault == 1) {
                station.pause(true);
            } else if (!station.sim) {
                QVERIFY2(station.start(), failed("a simulator did not start again"));
            } else {
                station.pause(false);
            }
        }
        QTest::qWait(int(draw.bounded(300)));
        clients.remove_if(
            [](const QProcess &client) { return client.state() == QProcess::NotRunning; });
    }
    for (QProcess &client : clients)
        client.waitForFinished(5000);

    qInfo("%d steps, %d of them faults, %d from outside, %d moves played or Gos (seed %d)",
          int(steps.size()), int(steps.filter(QRegularExpression(": (kill|stop|continue)")).size()),
          int(steps.filter("HTTP").size()),
          int(steps.filter(QRegularExpression(": (play|Go)$")).size()), seed);
    // Every camera back, and heard again: each row says so.
    for (Station &station : stations) {
        if (!station.sim)
            QVERIFY2(station.start(), failed("a simulator did not start again"));
        station.pause(false);
    }
    steps << QString("%1 ms: every camera back").arg(clock.elapsed());
    for (int row = 0; row < 6; ++row) {
        QVERIFY2(wait_until([&] { return camera_cell(window, row, 3) == "应答中"; }, 20000),
                 failed(QString("camera %1 says \"%2\" while its camera answers")
                            .arg(row + 1)
                            .arg(camera_cell(window, row, 3))));
    }
    // Every drive a camera heard has its stop there: given the time the
    // owed stops and their confirmations take.
    for (Station &station : stations) {
        QVERIFY2(wait_until([&] { return left_moving(station.sim->lines()).isEmpty(); }, 10000),
                 failed(station.link + ": " + left_moving(station.sim->lines()).join(", ") +
                        " never stopped\n" + station.sim->lines().join('\n')));
    }
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
