// Drives on a lossy link: simulated cameras that drop 30 % or 75 % of the
// datagrams they get, over raw UDP and VISCA over IP, each driven by
// seeded holds of 100-600 ms reported to the camera's holds as the
// window's pad reports them. The simulator is watched over a TCP
// connection of its own, which loses nothing: whether a press moved the
// camera, when it came to rest after the release, and whether it was still
// moving when the program had given up on the stop.

#include "control/camera.h"
#include "control/cameras.h"
#include "figures.h"
#include "sim_process.h"
#include "visca/positions.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>
#include <random>

namespace {
constexpr int cameras_per_link = 5;
constexpr int poll_ms = 10;
// No change of position for this long: the camera is at rest.
constexpr int rest_ms = 100;
// Past the program's 2 s of asking: still moving now is a camera left so.
constexpr int watched_ms = 3000;

// The simulator's pan, asked over its lossless TCP port.
class Where : public QObject
{
public:
    explicit Where(quint16 port)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(2000);
        connect(&socket, &QTcpSocket::readyRead, this, [this] {
            got += socket.readAll();
            if (!got.endsWith('\xFF'))
                return;
            const auto now = visca::read_pan_tilt(got);
            got.clear();
            if (answer)
                std::exchange(answer, nullptr)(now ? now->pan : 0);
        });
    }
    void ask(std::function<void(int)> then)
    {
        answer = std::move(then);
        socket.write(visca::pan_tilt_position_inquiry(1));
    }

private:
    QTcpSocket socket;
    QByteArray got;
    std::function<void(int)> answer;
};

struct Outcome {
    int drives = 0;
    int false_boxes = 0;
    int left_moving = 0;
    int long_presses = 0;
    int never_moved = 0;
    std::vector<double> rest_ms;
};

// One camera's run of drives, one after another.
class Driver : public QObject
{
public:
    Driver(Camera &driven, quint16 watch_port, unsigned seed, int count, Outcome &into)
        : camera(driven), where(watch_port), draw(seed), left(count), outcome(into), tag(seed)
    {
        // A box for a camera seen moving then is a true one, wherever the
        // camera ends (at the end of its travel, at rest again).
        connect(&camera.control(), &CameraControl::stop_unconfirmed, this, [this] {
            ++boxes;
            box_while_moving = clock.elapsed() - last_change_ms < rest_ms;
        });
        poll.setInterval(poll_ms);
        connect(&poll, &QTimer::timeout, this,
                [this] { where.ask([this](int pan) { seen(pan); }); });
    }
    bool done() const { return left == 0; }
    void start()
    {
        where.ask([this](int pan) { press(pan); });
    }

private:
    using Input = HoldOwner::Input;
    void press(int pan)
    {
        from = pan;
        hold_ms = std::uniform_int_distribution<int>(100, 600)(draw);
        boxes_before = boxes;
        box_while_moving = false;
        camera.holds().hold(Input::Pad, 0, {Axis::PanTilt, {from > 0 ? -1 : 1, 0}});
        QTimer::singleShot(hold_ms, this, [this] { where.ask([this](int now) { release(now); }); });
    }
    void release(int pan)
    {
        camera.holds().let_go(Input::Pad, 0);
        clock.start();
        last = pan;
        last_change_ms = -1;
        if (qEnvironmentVariableIsSet("LOSSY_DEBUG"))
            if (tag == 7500 && camera.udp().last_number() < 0)
                fprintf(stderr, "SIM DRIVE %d ms moved %d\n", hold_ms, pan != from);
        if (hold_ms >= 300) {
            ++outcome.long_presses;
            outcome.never_moved += pan == from;
        }
        poll.start();
    }
    void seen(int pan)
    {
        const qint64 now = clock.elapsed();
        // At rest at the first look: as soon as it could be seen.
        if (pan != last || last_change_ms < 0) {
            last = pan;
            last_change_ms = now;
        }
        const bool at_rest = now - last_change_ms >= rest_ms;
        if (!(at_rest && !camera.control().confirming()) && now < watched_ms)
            return;
        poll.stop();
        const bool box = boxes > boxes_before;
        ++outcome.drives;
        outcome.false_boxes += box && !box_while_moving;
        outcome.left_moving += !box && !at_rest;
        outcome.rest_ms.push_back(double(last_change_ms));
        if (--left > 0)
            QTimer::singleShot(50, this, [this] { start(); });
    }

    Camera &camera;
    Where where;
    std::mt19937 draw;
    int left;
    Outcome &outcome;
    QTimer poll;
    QElapsedTimer clock;
    int boxes = 0;
    int boxes_before = 0;
    bool box_while_moving = false;
    int from = 0;
    int hold_ms = 0;
    int last = 0;
    qint64 last_change_ms = 0;
    unsigned tag;
};

// Cameras of one link kind and loss, each with its simulator.
struct Rig {
    QString name;
    std::vector<std::unique_ptr<SimProcess>> sims;
    Cameras cameras;
    std::vector<std::unique_ptr<Driver>> drivers;
    Outcome outcome;

    Rig(const QString &link, int loss, int drives)
        : name(QString("%1 at %2 % loss").arg(link).arg(loss))
    {
        const bool numbered = link == "VISCA over IP";
        for (int i = 0; i < cameras_per_link; ++i) {
            auto sim = std::make_unique<SimProcess>(
                QStringList{"--loss", QString::number(loss), "--seed", QString::number(i + 1)});
            CameraSettings settings;
            settings.set_link(numbered ? CameraSettings::LinkKind::ViscaOverIp
                                       : CameraSettings::LinkKind::Udp);
            const int index = cameras.add(settings);
            cameras.udp(index).open(QHostAddress::LocalHost,
                                    numbered ? sim->visca_ip() : sim->udp(), numbered);
            const int share = drives / cameras_per_link + (i < drives % cameras_per_link);
            drivers.push_back(std::make_unique<Driver>(cameras.camera(index), sim->tcp(),
                                                       unsigned(loss * 100 + i), share, outcome));
            sims.push_back(std::move(sim));
        }
    }
    bool done() const
    {
        for (const auto &driver : drivers) {
            if (!driver->done())
                return false;
        }
        return true;
    }
};
} // namespace

void lossy_drives(QList<Figure> &figures, int drives)
{
    std::vector<std::unique_ptr<Rig>> rigs;
    for (const char *link : {"UDP", "VISCA over IP"}) {
        for (int loss : {0, 30, 75})
            rigs.push_back(std::make_unique<Rig>(link, loss, drives));
    }
    for (const auto &rig : rigs) {
        for (const auto &driver : rig->drivers)
            driver->start();
    }
    const auto all_done = [&] {
        for (const auto &rig : rigs) {
            if (!rig->done())
                return false;
        }
        return true;
    };
    while (!all_done())
        run_event_loop(100);
    if (qEnvironmentVariableIsSet("LOSSY_DEBUG"))
        for (const QString &line : rigs[2]->sims[0]->lines())
            fprintf(stderr, "SIM %s\n", qPrintable(line));
    // The lossless run of the same link kind is each figure's anchor.
    for (std::size_t at = 0; at < rigs.size(); ++at) {
        const Rig &rig = *rigs[at];
        const Outcome &lossless = rigs[at - at % 3]->outcome;
        const Outcome &seen = rig.outcome;
        if (&seen == &lossless)
            continue;
        const QString drives_seen = QString(" (%1 drives)").arg(seen.drives);
        figures << Figure{"false boxes, " + rig.name + drives_seen, double(seen.false_boxes), 0, "",
                          "0"}
                << Figure{"left moving, no box, " + rig.name + drives_seen,
                          double(seen.left_moving), 0, "", "0"}
                << Figure{"held >= 300 ms, never moved, " + rig.name,
                          100.0 * seen.never_moved / qMax(1, seen.long_presses), 0, "%",
                          rig.name.contains("30 %") ? "< 1 %" : "-"}
                << Figure{"release to rest p50, " + rig.name, percentile(seen.rest_ms, 0.5),
                          percentile(lossless.rest_ms, 0.5), "ms", "-"}
                << Figure{"release to rest p99, " + rig.name, percentile(seen.rest_ms, 0.99),
                          percentile(lossless.rest_ms, 0.99), "ms", "-"};
    }
}
