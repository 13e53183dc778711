// A camera's control on a recording link, and the camera list's one-stop
// rule, without a window.

#include "control/camera_control.h"
#include "control/camera_list_model.h"
#include "control/cameras.h"
#include "control/position_poller.h"
#include "control/remote_commands.h"
#include "recording_link.h"
#include "visca/commands.h"

#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QUdpSocket>
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
    void replies_count_for_their_own_camera();
    void remote_leases_end_only_what_they_started();
    void command_requests_let_their_state_go();
    void the_list_tells_only_the_cameras_that_changed();

private:
    RecordingLink *link = nullptr;
    LinkChannel *channel = nullptr;
    CameraControl *control = nullptr;
    QSignalSpy *announced = nullptr;
};

void ControlTest::init()
{
    link = new RecordingLink;
    channel = new LinkChannel(*link);
    control = new CameraControl([this] {
        return CameraControl::Target{link->open ? channel : nullptr, 1};
    });
    announced = new QSignalSpy(channel, &LinkChannel::announced);
}

void ControlTest::cleanup()
{
    delete announced;
    delete control;
    delete channel;
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
// The camera at an address lost its link here, or its drives went
// elsewhere (a Mode change): whatever it was driven to do has stopped.
const QString link_left = "(link of %1 left)";

// Whether each axis's drives of the camera at `address` on `written` end
// in exactly one stop each: a stop only after a drive or a Go, nothing
// after the last stop, and no drive still going when its link closed. A Go
// (absolute pan-tilt, zoom direct) ends by itself or by one stop, also
// after its link was left (the camera may still be on its way).
QString one_stop_fault(const QStringList &written, int address)
{
    const QString header = QString("8%1 ").arg(address);
    const struct {
        QString drive_prefix;
        QString go_prefix;
        QString stop;
    } axes[] = {{header + "01 06 01 ", header + "01 06 02 ", header + "01 06 01 03 03 03 03 FF"},
                {header + "01 04 07 ", header + "01 04 47 ", header + "01 04 07 00 FF"}};
    for (const auto &axis : axes) {
        enum { still, driven, going } state = still;
        for (const QString &text : written) {
            if (text == link_left.arg(address) && state == driven)
                return "a drive still going when its link was left: " + written.join(", ");
            if (text.startsWith(axis.go_prefix))
                state = going;
            if (!text.startsWith(axis.drive_prefix))
                continue;
            const bool stop = text == axis.stop;
            if (stop && state == still)
                return "a stop without a drive: " + written.join(", ");
            state = stop ? still : driven;
        }
        if (state == driven)
            return "a drive without its stop: " + written.join(", ");
    }
    return {};
}
} // namespace

void ControlTest::every_drive_gets_one_stop()
{
    // The camera list without a window: three cameras on UDP, two behind
    // one converter's address and port (addresses 1 and 2), one elsewhere;
    // none answers, so each drive's stop goes once. Random holds of the
    // buttons (one at a time, as a mouse), the keys, a pad and a played
    // move, reported to the active camera's holds as the window's inputs
    // and the move player do, Gos and preset recalls, and remote drives of
    // two sources to any camera whose leases run out on a clock of the
    // test's; and the events that end them: boxes, the PTZ tab left, Stop
    // all, camera switches (a played move or a Go runs on, on the camera
    // left, to its end), Mode changes, links closed.
    QUdpSocket converter, single;
    QVERIFY(converter.bind(QHostAddress(QHostAddress::LocalHost)) &&
            single.bind(QHostAddress(QHostAddress::LocalHost)));
    Cameras cameras;
    const struct {
        QUdpSocket *peer;
        int address;
    } listed[] = {{&converter, 1}, {&converter, 2}, {&single, 1}};
    for (const auto &camera : listed) {
        CameraSettings settings;
        settings.set_link(CameraSettings::LinkKind::Udp);
        settings.visca_address = camera.address;
        const int index = cameras.add(settings);
        cameras.udp(index).open(QHostAddress::LocalHost, camera.peer->localPort());
    }
    QHash<QUdpSocket *, QStringList> written;
    const auto take_written = [&] {
        for (QUdpSocket *peer : {&converter, &single}) {
            while (peer->hasPendingDatagrams())
                written[peer] << spaced_hex(peer->receiveDatagram().data());
        }
    };
    using Input = HoldOwner::Input;
    const HoldOwner::Drive drives[] = {{Axis::PanTilt, {0, -1}},
                                       {Axis::PanTilt, {1, 0}},
                                       {Axis::PanTilt, {-1, 1}},
                                       {Axis::Zoom, {1, 0}},
                                       {Axis::Zoom, {-1, 0}}};
    HoldOwner &inputs = cameras.drives();
    RemoteCommands remote(cameras);
    qint64 now_ms = 0;
    remote.set_clock([&now_ms] { return now_ms; });
    QRandomGenerator random(20261209);
    const double ways[] = {-1, -0.5, 0, 0.5, 1};
    const auto remote_step = [&] {
        const QString source = random.bounded(2) ? "http:a" : "osc:b";
        switch (random.bounded(3)) {
        case 0: {
            RemoteCommands::Axes axes;
            for (std::optional<double> *axis : {&axes.pan, &axes.tilt, &axes.zoom}) {
                if (random.bounded(2))
                    *axis = ways[random.bounded(5)];
            }
            remote.drive(int(random.bounded(3)) + 1, source, axes,
                         int(random.bounded(RemoteCommands::longest_lease_ms)) + 1);
            break;
        }
        case 1:
            now_ms += random.bounded(1500);
            remote.check_leases();
            break;
        default: remote.forget(source);
        }
    };
    int messages = 0;
    for (int sequence = 0; sequence < 2000; ++sequence) {
        written.clear();
        QList<QPair<Input, int>> held;
        for (int step = 0; step < 12; ++step) {
            if (random.bounded(4) == 0) {
                remote_step();
                continue;
            }
            const int choice = int(random.bounded(10));
            const Input input = Input(random.bounded(4));
            const int id = int(random.bounded(5));
            Camera &active = cameras.active_camera();
            if (choice < 4 && input == Input::Play) {
                // A move plays its drives as the camera took them, one an axis.
                active.holds().play_started();
                HoldOwner::Drive played = drives[id];
                played.speed = QPoint(5, 5);
                played.as_camera_took_it = true;
                inputs.hold(input, int(played.axis), played);
                held << qMakePair(input, int(played.axis));
            } else if (choice < 4 && (input != Input::Buttons || held.isEmpty())) {
                inputs.hold(input, id, drives[id]);
                held << qMakePair(input, id);
            } else if (choice < 7 && !held.isEmpty()) {
                const auto taken = held.takeAt(int(random.bounded(held.size())));
                inputs.let_go(taken.first, taken.second);
            } else if (choice == 7) {
                const quint32 which = random.bounded(5);
                if (which == 0)
                    inputs.lose_all();
                else if (which == 1)
                    cameras.ptz_left();
                else if (which == 2)
                    cameras.stop_all();
                // A Go, as the camera's answer would start it: it runs on past a
                // switch; a press, Stop all or a link left ends it.
                else if (which == 3)
                    active.go_to({int(random.bounded(2000)), 100, 4}, 0x1000, std::nullopt,
                                 {0, 0, 4});
                else
                    remote.preset(cameras.active() + 1, false, int(random.bounded(10)));
            } else if (choice == 8 && random.bounded(2)) {
                cameras.set_active(int(random.bounded(cameras.count())));
            } else {
                // The PTZ Mode to the serial line (no port: nowhere) and
                // back, or the link closed and connected again.
                const auto &camera = listed[cameras.active()];
                take_written();
                if (choice == 8)
                    active.set_serial_mode(!active.settings().serial_mode);
                else
                    active.udp().close();
                take_written();
                written[camera.peer] << link_left.arg(camera.address);
                if (!active.udp().isOpen())
                    active.udp().open(QHostAddress::LocalHost, camera.peer->localPort());
            }
        }
        for (const auto &taken : held)
            inputs.let_go(taken.first, taken.second);
        // Every played move comes to its end, wherever it plays.
        for (int index = 0; index < cameras.count(); ++index)
            cameras.camera(index).holds().play_over();
        // Every lease runs out; a Go no camera here will say it finished is
        // stopped, so that its stop falls in its own sequence.
        now_ms += RemoteCommands::longest_lease_ms;
        remote.check_leases();
        cameras.stop_all();
        // Nothing is left moving: each axis is at rest or its stop waits
        // for the camera's word.
        for (int index = 0; index < cameras.count(); ++index) {
            for (const Axis axis : {Axis::PanTilt, Axis::Zoom, Axis::Focus})
                QVERIFY2(cameras.camera(index).control().motion(axis) !=
                             CameraControl::Motion::driving,
                         qPrintable(QString("sequence %1: camera %2 still driven")
                                        .arg(sequence)
                                        .arg(index + 1)));
        }
        take_written();
        messages += written[&converter].size() + written[&single].size();
        for (const auto &camera : listed) {
            const QString fault = one_stop_fault(written[camera.peer], camera.address);
            QVERIFY2(fault.isEmpty(),
                     qPrintable(QString("sequence %1: %2").arg(sequence).arg(fault)));
        }
    }
    QVERIFY2(messages > 10000, qPrintable(QString("only %1 messages").arg(messages)));
}

void ControlTest::replies_count_for_their_own_camera()
{
    // Two cameras on one line, camera 2 answering first: each reply goes to
    // the message its own camera owes, the completion to its own socket.
    ReplyTracker tracker(*link);
    QList<QPair<quint64, ReplyOutcome>> answered;
    connect(&tracker, &ReplyTracker::answered, this,
            [&answered](quint64 message, ReplyOutcome outcome) {
                answered << qMakePair(message, outcome);
            });
    const quint64 first = tracker.sent(QByteArray::fromHex("8101060403ff"));
    const quint64 second = tracker.sent(QByteArray::fromHex("8201060403ff"));
    emit link->received({QByteArray::fromHex("a041ff"), QByteArray::fromHex("9041ff"),
                         QByteArray::fromHex("a051ff"), QByteArray::fromHex("9051ff")});
    const QList<QPair<quint64, ReplyOutcome>> expected = {{second, ReplyOutcome::Accepted},
                                                          {first, ReplyOutcome::Accepted},
                                                          {second, ReplyOutcome::Completed},
                                                          {first, ReplyOutcome::Completed}};
    QCOMPARE(answered, expected);

    // A camera that never answers leaves a bounded list behind.
    for (int message = 0; message < 3 * ReplyTracker::most_waiting; ++message)
        tracker.sent(QByteArray::fromHex("8109061203ff"));
    QVERIFY(tracker.waiting() <= ReplyTracker::most_waiting);
}

namespace {
// A camera on UDP whose datagrams go to `peer`, its link open.
void add_udp_camera(Cameras &cameras, const QUdpSocket &peer)
{
    CameraSettings settings;
    settings.set_link(CameraSettings::LinkKind::Udp);
    const int index = cameras.add(settings);
    cameras.udp(index).open(QHostAddress::LocalHost, peer.localPort());
}
} // namespace

void ControlTest::remote_leases_end_only_what_they_started()
{
    // One camera on UDP that says nothing, driven from outside on a clock
    // of the test's.
    QUdpSocket peer;
    QVERIFY(peer.bind(QHostAddress(QHostAddress::LocalHost)));
    Cameras cameras;
    add_udp_camera(cameras, peer);
    RemoteCommands remote(cameras);
    qint64 now_ms = 0;
    remote.set_clock([&now_ms] { return now_ms; });
    QStringList heard;
    const auto take_heard = [&] {
        while (peer.hasPendingDatagrams())
            heard << spaced_hex(peer.receiveDatagram().data());
    };
    const QString pan_stop = "81 01 06 01 03 03 03 03 FF";
    // A raw pan, then a drive of the same axis from elsewhere: the raw
    // command's lease running out leaves the drive alone; the drive's own
    // end is its one stop.
    remote.command(1, "81 01 06 01 09 09 02 03 FF", 200, [](auto &&...) {});
    QVERIFY(remote.drive(1, "osc:b", {-0.5, {}, {}, {}}, 2000).ok());
    now_ms += 500;
    remote.check_leases();
    QTRY_VERIFY((take_heard(), heard.size() >= 2));
    QCOMPARE(heard.filter(pan_stop).size(), 0);
    now_ms += 2000;
    remote.check_leases();
    QTRY_VERIFY((take_heard(), heard.filter(pan_stop).size() == 1));
    // Drives inside the stick's dead zone move nothing and hold no slot: a
    // full list of them leaves room for one that moves.
    for (int source = 0; source < RemoteCommands::most_leases; ++source)
        QVERIFY(
            remote.drive(1, QString("http:10.0.0.%1").arg(source), {0.001, {}, {}, {}}, 2000).ok());
    QVERIFY(remote.drive(1, "http:a", {1, {}, {}, {}}, 2000).ok());
}

void ControlTest::command_requests_let_their_state_go()
{
    // A camera on UDP that answers each command with its ACK and completion;
    // 1,000 requests from outside, fifty at a time. Once each is answered
    // (or its wait is over), nothing of it is kept: its reply callback (and
    // what holds it: a listener on the channel, a timer) is let go.
    QUdpSocket peer;
    QVERIFY(peer.bind(QHostAddress(QHostAddress::LocalHost)));
    connect(&peer, &QUdpSocket::readyRead, &peer, [&peer] {
        while (peer.hasPendingDatagrams()) {
            const QNetworkDatagram asked = peer.receiveDatagram();
            for (const char *reply : {"9041ff", "9051ff"})
                peer.writeDatagram(QByteArray::fromHex(reply), asked.senderAddress(),
                                   quint16(asked.senderPort()));
        }
    });
    Cameras cameras;
    add_udp_camera(cameras, peer);
    RemoteCommands remote(cameras);
    const auto token = std::make_shared<int>(0);
    int done = 0;
    int answered = 0;
    for (int batch = 1; batch <= 20; ++batch) {
        for (int request = 0; request < 50; ++request)
            remote.command(1, "81 01 04 07 00 FF", 0,
                           [token, &done, &answered](const RemoteCommands::Result &result,
                                                     const QStringList &replies) {
                               ++done;
                               answered += result.ok() && replies.size() == 2 ? 1 : 0;
                           });
        QTRY_VERIFY(done == batch * 50);
    }
    QVERIFY2(answered > 500, qPrintable(QString("%1 answered").arg(answered)));
    QTRY_VERIFY_WITH_TIMEOUT(token.use_count() == 1, 5000);
}

void ControlTest::the_list_tells_only_the_cameras_that_changed()
{
    Cameras cameras;
    for (const char *name : {"One", "Two", "Three"}) {
        CameraSettings settings;
        settings.name = name;
        settings.set_link(CameraSettings::LinkKind::Udp);
        cameras.add(settings);
    }
    RemoteCommands remote(cameras);
    QList<int> told;
    connect(&remote, &RemoteCommands::camera_changed, this,
            [&told](int number) { told << number; });
    cameras.set_tally(1, visca::Tally::preview);
    QCOMPARE(told, QList<int>{2});
    // Program passes from camera 2 to camera 3: both change, nothing else.
    told.clear();
    cameras.set_tally(2, visca::Tally::program);
    cameras.set_tally(1, visca::Tally::program);
    QCOMPARE(told, QList<int>({3, 2, 3}));
    // Reordered: the rows are the places, each camera keeps its id.
    told.clear();
    cameras.move(2, 0);
    QCOMPARE(told, QList<int>({1, 2, 3}));
    CameraListModel &model = cameras.model();
    QCOMPARE(model.data(model.index(0, CameraListModel::NameColumn)).toString(), QString("Three"));
    QCOMPARE(model.find(3).row(), 0);
    QCOMPARE(remote.view(0).id, 3);
}

QTEST_MAIN(ControlTest)
#include "tst_control.moc"
