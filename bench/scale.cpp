// Many cameras in one window: seven chained on one serial line and sixteen
// on the network, all open. What a press costs against one camera alone,
// and what the window costs at rest.

#include "app/mainwindow.h"
#include "figures.h"
#include "pressers.h"
#include "sim_process.h"
#include "testsupport.h"
#include "visca/positions.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const int chained = 7;
const int networked = 16;
const int idle_ms = 5000;

// config.ini of the scale set: cameras 1-7 on `line`, 8-23 on UDP to the
// receivers' ports.
QByteArray scale_config(const QString &line, const std::vector<quint16> &ports)
{
    QByteArray text = "[SERIAL_CONF]\nPortName=" + line.toUtf8() + "\n";
    for (int camera = 2; camera <= chained; ++camera)
        text += QString("[CAMERA_%1]\nLink=Serial\nViscaAddress=%1\nPortName=%2\n")
                    .arg(camera)
                    .arg(line)
                    .toUtf8();
    for (size_t i = 0; i < ports.size(); ++i)
        text += QString("[CAMERA_%1]\nLink=UDP\nAddress=127.0.0.1\nPort=%2\n")
                    .arg(chained + 1 + int(i))
                    .arg(ports[i])
                    .toUtf8();
    return text;
}

// config.ini of 23 cameras on the simulator's UDP port: a chain of seven
// (addresses 1-7), then sixteen at address 1, each on a link of its own.
QByteArray polled_config(quint16 port)
{
    QByteArray text =
        "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=" + QByteArray::number(port) +
        "\n[CAMERA_1]\nLink=UDP\n";
    for (int camera = 2; camera <= chained + networked; ++camera)
        text += QString("[CAMERA_%1]\nLink=UDP\nViscaAddress=%2\nAddress=127.0.0.1\nPort=%3\n")
                    .arg(camera)
                    .arg(camera <= chained ? camera : 1)
                    .arg(port)
                    .toUtf8();
    return text;
}

// The GUI thread's share of one core while nobody touches the window.
double idle_share()
{
    const double before = thread_cpu_seconds();
    run_event_loop(idle_ms);
    return (thread_cpu_seconds() - before) * 1000 / idle_ms;
}
} // namespace

void scale(QList<Figure> &figures)
{
    ScratchFolder alone_folder;
    PtyPeer alone_line;
    Pad alone("radioButton_9");
    open_serial(alone.window, alone_line.path());
    const double alone_idle = idle_share();

    ScratchFolder folder;
    PtyPeer chain_line;
    std::vector<int> receivers;
    std::vector<quint16> ports;
    for (int i = 0; i < networked; ++i) {
        ports.push_back(0);
        receivers.push_back(loopback_socket(SOCK_DGRAM, &ports.back()));
    }
    folder.write("config.ini", scale_config(chain_line.path(), ports));
    Pad many("radioButton_9");
    open_serial(many.window, chain_line.path());
    for (int row = chained; row < camera_rows(many.window); ++row) {
        pick_camera_row(many.window, row);
        click(many.window, "pushButton_15");
    }
    pick_camera_row(many.window, 0);
    const double many_idle = idle_share();

    Arrivals at_many(chain_line.master_fd()), at_alone(alone_line.master_fd());
    Presser many_presser = many.presser(at_many), alone_presser = alone.presser(at_alone);
    press_by_turns(many_presser, alone_presser);
    const QString cameras = QString::number(camera_rows(many.window));
    figures << Figure{"press-to-camera p50, " + cameras + " cameras open (anchor: one camera)",
                      percentile(many_presser.found, 0.5), percentile(alone_presser.found, 0.5),
                      "us", "<= 1.2x"}
            << Figure{"press-to-camera p99, " + cameras + " cameras open (anchor: one camera)",
                      percentile(many_presser.found, 0.99), percentile(alone_presser.found, 0.99),
                      "us", "<= 1.2x"}
            << Figure{"CPU at rest, " + cameras + " cameras open (anchor: one camera)",
                      many_idle * 100, alone_idle * 100, "% of a core", "< 1 %"};
    for (int fd : receivers)
        ::close(fd);
}

void polling(QList<Figure> &figures)
{
    // Every camera answers, so that the list asks each where it points.
    SimProcess camera({"--chain", QString::number(chained), "--quiet"});
    if (!camera.started())
        qFatal("the simulated camera did not start");
    ScratchFolder folder;
    folder.write("config.ini", polled_config(camera.udp()));
    MainWindow window;
    show_exposed(&window);
    auto *tabs = control<QTabWidget>(&window, "tabWidget");
    for (int row = 0; row < camera_rows(window); ++row) {
        pick_camera_row(window, row);
        click(window, "pushButton_15");
        click(window, "ptz_resetButton"); // heard once: asked from now on
    }
    run_event_loop(1000);
    tabs->setCurrentIndex(0);
    const double quiet = idle_share();
    tabs->setCurrentWidget(control<QWidget>(&window, "tab_cameras"));
    run_event_loop(1000);
    const double asking = idle_share();
    figures << Figure{"CPU at rest, " + QString::number(camera_rows(window)) +
                          " cameras asked where they point (anchor: not asked)",
                      asking * 100, quiet * 100, "% of a core", "< 2 %"};
}

QList<QByteArray> camera_answer(const QByteArray &datagram)
{
    if (datagram.size() < 3 || datagram.at(1) != 0x09)
        return {QByteArray::fromHex("9041ff"), QByteArray::fromHex("9051ff")};
    const QByteArray inquiry = datagram.mid(2, datagram.size() - 3);
    const int digits = inquiry == QByteArray::fromHex("0612") ? 9 : 4;
    return {QByteArray::fromHex("9050") + visca::nibbles(0, digits) + char(0xFF)};
}

namespace {

// A window on the Cameras tab whose first camera answers at `first` and
// whose 22 others are the simulator's. A camera is asked where it points
// once it has been heard: the first always is (it answers the presses), the
// others when `others_heard` (each answers a Home).
struct PolledWindow {
    ScratchFolder folder;
    std::unique_ptr<Pad> pad;
    PolledWindow(quint16 first, quint16 others, bool others_heard)
    {
        QByteArray config = polled_config(others);
        config.replace("Port=" + QByteArray::number(others) + "\n[CAMERA_1]",
                       "Port=" + QByteArray::number(first) + "\n[CAMERA_1]");
        folder.write("config.ini", config);
        pad = std::make_unique<Pad>("radioButton_10");
        for (int row = camera_rows(pad->window) - 1; row >= 0; --row) {
            pick_camera_row(pad->window, row);
            click(pad->window, "pushButton_15");
            if (others_heard || row == 0)
                click(pad->window, "ptz_resetButton");
        }
        auto *tabs = control<QTabWidget>(&pad->window, "tabWidget");
        tabs->setCurrentWidget(control<QWidget>(&pad->window, "tab_cameras"));
    }
};
} // namespace

void polled_presses(QList<Figure> &figures)
{
    SimProcess others({"--chain", QString::number(chained), "--quiet"});
    if (!others.started())
        qFatal("the simulated camera did not start");
    quint16 asked_port = 0, quiet_port = 0;
    const int asked_camera = loopback_socket(SOCK_DGRAM, &asked_port);
    const int quiet_camera = loopback_socket(SOCK_DGRAM, &quiet_port);
    {
        Arrivals at_asked(asked_camera, camera_answer), at_quiet(quiet_camera, camera_answer);
        // Both windows show the same tab, so that a press costs the same but
        // for the asking.
        PolledWindow asked(asked_port, others.udp(), true), quiet(quiet_port, others.udp(), false);
        run_event_loop(1000);
        Presser asked_presser = asked.pad->presser(at_asked);
        Presser quiet_presser = quiet.pad->presser(at_quiet);
        press_by_turns(asked_presser, quiet_presser);
        figures << Figure{"press-to-camera p50, 23 cameras asked where they point (anchor: only "
                          "the pressed one)",
                          percentile(asked_presser.found, 0.5),
                          percentile(quiet_presser.found, 0.5), "us", "<= 1.2x"}
                << Figure{"press-to-camera p99, 23 cameras asked where they point (anchor: only "
                          "the pressed one)",
                          percentile(asked_presser.found, 0.99),
                          percentile(quiet_presser.found, 0.99), "us", "<= 1.2x"};
    }
    ::close(asked_camera);
    ::close(quiet_camera);
}
