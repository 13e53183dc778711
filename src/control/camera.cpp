#include "control/camera.h"

#include "control/serial_lines.h"

#include <limits>

Camera::Camera(const CameraSettings &settings, SerialLines &serial_lines, QObject *parent)
    : QObject(parent), setup(settings), lines(serial_lines), tcp_link(this), udp_link(this),
      tcp_link_channel(tcp_link), udp_link_channel(udp_link),
      tcp_reopening(tcp_link, [this] { tcp_link.reopen(); }), commands([this] {
          return CameraControl::Target{drive_channel(), address()};
      }),
      drive_holds(commands,
                  {[this] { return setup.pan_speed; }, [this] { return setup.tilt_speed; },
                   [this] { return setup.zoom_speed; }, [this] { return setup.focus_speed; },
                   [this](QPoint way) {
                       return QPoint(setup.invert_pan ? -way.x() : way.x(),
                                     setup.invert_tilt ? -way.y() : way.y());
                   },
                   [this](QPoint speed) {
                       if (!setup.zoom_scaled_speed || !zoom_seen)
                           return speed;
                       return QPoint(zoom_scaled(speed.x(), *zoom_seen),
                                     zoom_scaled(speed.y(), *zoom_seen));
                   }}),
      recorder(drive_holds), player(drive_holds, commands)
{
    clock.start();
    connect(&recorder, &MoveRecorder::full, this, &Camera::stop_recording);
    connect(&player, &MovePlayer::ended, this, &Camera::moves_changed);
    connect(&tcp_link, &TcpLink::open_failed, &tcp_reopening, &Reconnect::failed);
    connect(&tcp_reopening, &Reconnect::changed, this, &Camera::state_changed);
}

Camera::~Camera()
{
    // Its links close while the camera is whole: their `closing` still
    // finds the drives that went on them.
    tcp_link.close();
    udp_link.close();
}

bool Camera::reached_by(const LinkChannel *channel) const
{
    return channel && (channel == &tcp_link_channel || channel == &udp_link_channel ||
                       channel == lines.find(setup.port_name));
}

int Camera::next_try_in_s() const
{
    const Reconnect *again = reconnect();
    return again ? again->next_try_in_s() : 0;
}

Camera::State Camera::state() const
{
    if (!drive_channel()) {
        const Reconnect *again = reconnect();
        return again && again->trying() ? State::Reconnecting : State::Closed;
    }
    if (waiting_since_ms >= 0 && clock.elapsed() - waiting_since_ms > answer_limit_ms)
        return State::NotAnswering;
    return answered ? State::Answering : State::Open;
}

void Camera::end(Ending why)
{
    switch (why) {
    case Ending::HandsLost: drive_holds.lose_all(); return;
    case Ending::Switch:
        drive_holds.end_hands();
        stop_recording();
        return;
    case Ending::StopAll:
        // One at rest gets nothing: a long chain's line stays free for the
        // stops that matter. The holds then let go with nothing left to stop.
        commands.stop_moving();
        drive_holds.end_all();
        return;
    case Ending::Stop:
        commands.stop_everything();
        drive_holds.end_all();
        return;
    }
}

void Camera::set_serial_mode(bool serial)
{
    if (setup.serial_mode == serial)
        return;
    drive_holds.end_all();
    setup.serial_mode = serial;
}

void Camera::go_to(const visca::PanTilt &to, int zoom, std::optional<int> focus,
                   const visca::PanTilt &from)
{
    // The recording keeps what came before: a Go is no drive it can play.
    if (recorder.recording())
        stop_recording();
    drive_holds.end_all();
    const QPoint speeds = arriving_together(to.pan - from.pan, to.tilt - from.tilt,
                                            setup.go_speed > 0 ? setup.go_speed : setup.pan_speed);
    commands.go_to(to, zoom, focus, speeds.x(), speeds.y());
    drive_holds.position_move();
}

void Camera::link_going(const Link &link, bool lost)
{
    if (lost)
        commands.link_lost(link);
    // A play ends with its link, also between two of its drives.
    const LinkChannel *drives_go = mode_channel(*this, setup.serial_mode);
    const bool playing_there = player.playing() && drives_go && &drives_go->link() == &link;
    if (commands.drives_on(&link) || playing_there)
        drive_holds.end_all();
}

void Camera::start_recording(const KeptPosition &start)
{
    if (recorder.recording() || player.playing() ||
        setup.moves.size() >= CameraSettings::most_moves)
        return;
    recording_start = start;
    recorder.start();
    emit moves_changed();
}

void Camera::stop_recording()
{
    if (!recorder.recording())
        return;
    setup.moves << RecordedMove{recording_start, move_text(recorder.finish())};
    emit moves_changed();
}

bool Camera::play(int index, const visca::PanTilt &from)
{
    if (index < 0 || index >= setup.moves.size() || recorder.recording())
        return false;
    const RecordedMove &move = setup.moves.at(index);
    const std::optional<KeptPosition::Values> start = move.start.values();
    const std::optional<QList<MoveStep>> steps = read_move(move.drives);
    if (!start || !steps)
        return false;
    go_to({start->pan, start->tilt, from.pan_digits}, start->zoom, start->focus, from);
    player.play(*steps);
    if (!player.playing())
        return false;
    emit moves_changed();
    return true;
}

qint64 Camera::quiet_for_ms() const
{
    return last_asked_ms < 0 ? std::numeric_limits<qint64>::max() : clock.elapsed() - last_asked_ms;
}

void Camera::asked()
{
    last_asked_ms = clock.elapsed();
    if (waiting_since_ms >= 0)
        return;
    waiting_since_ms = clock.elapsed();
    waiting_since = QDateTime::currentDateTime();
}

void Camera::replied(LinkChannel &channel)
{
    const bool news = !answered || waiting_since_ms >= 0;
    answered = true;
    waiting_since_ms = -1;
    commands.heard_on(channel);
    if (news)
        emit state_changed();
}

void Camera::link_opened(LinkChannel &channel)
{
    answered = false;
    waiting_since_ms = -1;
    // The stops the camera is owed first, then its tally.
    commands.link_opened(channel);
    tally_lamp.link_opened();
    send_tally();
}

void Camera::set_tally(visca::Tally state, TallyOrigin from)
{
    origin = from;
    tally_lamp.set(state);
    send_tally();
}

void Camera::send_tally()
{
    LinkChannel *channel = drive_channel();
    const qint64 now_ms = clock.elapsed();
    const bool resending = channel && channel->link().datagrams() && channel->answering(address());
    if (!channel || !tally_lamp.due(now_ms, resending))
        return;
    tally_lamp.sent(now_ms);
    disconnect(tally_answer);
    // Unanswered, the last sends count as lost, so that the replies to
    // come find their own messages.
    if (tally_channel) {
        for (quint64 message : std::as_const(tally_messages))
            tally_channel->lost(message);
    }
    tally_messages.clear();
    tally_channel = channel;
    // The console's lane: behind whatever drive or stop waits to go.
    for (const QByteArray &bytes :
         visca::tally(address(), setup.tally_dialect, tally_lamp.state())) {
        quint64 message = 0;
        if (channel->send(bytes, {Link::Lane::Console, false, {}}, &message) == SendResult::Sent)
            tally_messages << message;
    }
    if (tally_messages.isEmpty()) {
        tally_lamp.acknowledge();
        return;
    }
    // Any reply counts, an error too: a camera that refuses the tally
    // would refuse it again.
    tally_answer = connect(channel, &LinkChannel::answered, this, [this](quint64 message) {
        tally_messages.removeAll(message);
        if (!tally_messages.isEmpty())
            return;
        tally_lamp.acknowledge();
        disconnect(tally_answer);
    });
}
