// CameraControl and CommandSender on a recording link, without a window.

#include "control/camera_control.h"
#include "control/command_sender.h"
#include "control/holds.h"
#include "recording_link.h"
#include "visca/commands.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

class ControlTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void link_closed_during_the_focus_wait_gets_nothing();
    void refused_write_is_reported_not_announced();
    void no_link_no_trace();
    void every_drive_gets_one_stop();

private:
    RecordingLink *link = nullptr;
    CommandSender *sender = nullptr;
    CameraControl *control = nullptr;
    QSignalSpy *announced = nullptr;
};

void ControlTest::init()
{
    link = new RecordingLink;
    sender = new CommandSender;
    control = new CameraControl(*sender, [this] {
        return CameraControl::Target{link->open ? link : nullptr, 1};
    });
    announced = new QSignalSpy(sender, &CommandSender::sent);
}

void ControlTest::cleanup()
{
    delete announced;
    delete control;
    delete sender;
    delete link;
}

void ControlTest::link_closed_during_the_focus_wait_gets_nothing()
{
    control->focus(visca::Focus::near, [] { return 3; });
    QCOMPARE(link->written, QStringList({"81 01 04 38 03 FF"}));
    link->close();
    control->stop_focus();
    QTest::qWait(2 * CameraControl::manual_focus_wait_ms);
    QCOMPARE(link->written, QStringList({"81 01 04 38 03 FF"}));
    QCOMPARE(announced->count(), 1);
}

void ControlTest::refused_write_is_reported_not_announced()
{
    QSignalSpy failed(control, &CameraControl::failed);
    link->refuse = true;
    control->home();
    QCOMPARE(announced->count(), 0);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed[0][0].value<SendResult>(), SendResult::WriteFailed);
    QCOMPARE(failed[0][1].toString(), QString("Resource temporarily unavailable"));
}

void ControlTest::no_link_no_trace()
{
    QSignalSpy failed(control, &CameraControl::failed);
    link->open = false;
    control->drive(visca::Pan::still, visca::Tilt::up, 1, 1);
    control->focus(visca::Focus::far, [] { return 7; });
    QVERIFY(!control->preset_from_field(true, ""));
    QVERIFY(control->preset_from_field(true, "5"));
    QTest::qWait(2 * CameraControl::manual_focus_wait_ms);
    QCOMPARE(link->written, QStringList());
    QCOMPARE(failed.count(), 0);
}

namespace {
const QString link_closed = "(link closed)";

// Whether each axis's drives of the camera at `address` on `written` end
// in exactly one stop each: a stop only after a drive, nothing after the
// last stop, and no drive still going when its link closed.
QString one_stop_fault(const QStringList &written, int address)
{
    const QString header = QString("8%1 ").arg(address);
    const struct {
        QString drive_prefix;
        QString stop;
    } axes[] = {{header + "01 06 01 ", header + "01 06 01 03 03 03 03 FF"},
                {header + "01 04 07 ", header + "01 04 07 00 FF"}};
    for (const auto &axis : axes) {
        bool moving = false;
        for (const QString &text : written) {
            if (text == link_closed && moving)
                return "a drive still going when its link closed: " + written.join(", ");
            if (!text.startsWith(axis.drive_prefix))
                continue;
            const bool stop = text == axis.stop;
            if (stop && !moving)
                return "a stop without a drive: " + written.join(", ");
            moving = !stop;
        }
        if (moving)
            return "a drive without its stop: " + written.join(", ");
    }
    return {};
}
} // namespace

void ControlTest::every_drive_gets_one_stop()
{
    // Four cameras: two on one serial line (addresses 1 and 2), two on
    // network links of their own; random holds of the buttons (one at a time, as a
    // mouse), the keys and a pad, and the events that end them all: boxes,
    // popups, tab and Mode changes, camera switches, links closed.
    RecordingLink tcp, udp;
    const QList<QPair<RecordingLink *, int>> cameras = {{link, 1}, {link, 2}, {&tcp, 1}, {&udp, 1}};
    int active = 0;
    CameraControl four_cameras(*sender, [&] {
        const auto &camera = cameras.at(active);
        return CameraControl::Target{camera.first->open ? camera.first : nullptr, camera.second};
    });
    Holds holds(four_cameras,
                {[] { return 15; }, [] { return 15; }, [] { return 3; }, [] { return 3; }});
    using Axis = Holds::Axis;
    using Input = Holds::Input;
    const Holds::Drive drives[] = {{Axis::PanTilt, {0, -1}},
                                   {Axis::PanTilt, {1, 0}},
                                   {Axis::PanTilt, {-1, 1}},
                                   {Axis::Zoom, {1, 0}},
                                   {Axis::Zoom, {-1, 0}}};
    for (RecordingLink *watched : {link, &tcp, &udp})
        holds.watch(*watched);
    QRandomGenerator random(20261207);
    for (int sequence = 0; sequence < 3000; ++sequence) {
        for (RecordingLink *recorded : {link, &tcp, &udp})
            recorded->written.clear();
        QList<QPair<Input, int>> held;
        for (int step = 0; step < 12; ++step) {
            const int choice = int(random.bounded(10));
            const Input input = Input(random.bounded(3));
            const int id = int(random.bounded(5));
            if (choice < 4 && (input != Input::Buttons || held.isEmpty())) {
                holds.hold(input, id, drives[id]);
                held << qMakePair(input, id);
            } else if (choice < 7 && !held.isEmpty()) {
                const auto taken = held.takeAt(int(random.bounded(held.size())));
                holds.let_go(taken.first, taken.second);
            } else if (choice == 7) {
                holds.lose_all(); // a box, a popup, a tab change
            } else if (choice == 8 && random.bounded(2)) {
                holds.lose_all(); // a camera switch
                active = int(random.bounded(cameras.size()));
            } else if (choice == 8) {
                // A Mode change: the target names the other link before
                // the owner hears of it.
                active = int(random.bounded(cameras.size()));
                holds.lose_all();
            } else {
                // Close, then Start again: the owner hears it.
                RecordingLink *current = cameras.at(active).first;
                current->close();
                current->written << link_closed;
                current->open = true;
            }
        }
        for (const auto &taken : held)
            holds.let_go(taken.first, taken.second);
        for (const auto &camera : cameras) {
            const QString fault = one_stop_fault(camera.first->written, camera.second);
            QVERIFY2(fault.isEmpty(),
                     qPrintable(QString("sequence %1: %2").arg(sequence).arg(fault)));
        }
    }
}

QTEST_MAIN(ControlTest)
#include "tst_control.moc"
