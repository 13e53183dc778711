#include "control/position_poller.h"

#include "control/cameras.h"

#include <QPointer>

namespace {
const int tick_ms = 50;
// A camera that stopped answering is asked now and then, to see it back.
const int silent_ms = 5000;
} // namespace

PositionPoller::PositionPoller(Cameras &camera_list, Busy link_busy, QObject *parent)
    : QObject(parent), cameras(camera_list), busy(std::move(link_busy))
{
    ticker.setInterval(tick_ms);
    connect(&ticker, &QTimer::timeout, this, &PositionPoller::tick);
    ticker.start();
}

void PositionPoller::set_running(bool running)
{
    // Cameras whose pan-tilt speed follows the zoom are asked whatever
    // tab is shown.
    shown = running;
    ticker.start();
}

void PositionPoller::set_followed(bool following)
{
    followed = following;
    ticker.start();
}

std::optional<PositionPoller::Seen> PositionPoller::position(int index) const
{
    const Camera &camera = cameras.camera(index);
    const auto found = watched.find(&camera);
    if (!camera.drive_channel() || found == watched.end() || !found->second.last)
        return std::nullopt;
    const Watched &known = found->second;
    return Seen{*known.last, known.stale, known.last_taken.elapsed()};
}

void PositionPoller::ask(int index, Taken taken)
{
    ask_camera(cameras.camera(index), std::move(taken), keep_tries);
}

void PositionPoller::ask_camera(Camera &camera, Taken taken, int tries)
{
    LinkChannel *channel = camera.drive_channel();
    if (!channel) {
        taken(std::nullopt);
        return;
    }
    // On a lossy link one datagram lost leaves a round unanswered: the
    // camera is asked again, a few times, before the operator is told.
    const QPointer<Camera> asked = &camera;
    start_round(
        camera, *channel, true,
        [this, asked, taken = std::move(taken), tries](const std::optional<Position> &found) {
            if (!found && tries > 1 && asked)
                ask_camera(*asked, taken, tries - 1);
            else
                taken(found);
        });
}

void PositionPoller::tick()
{
    for (int index = 0; index < cameras.count(); ++index) {
        // A camera that never replied (a converter, a camera that does not
        // answer) is not asked: only cameras that answer have a position.
        Camera &camera = cameras.camera(index);
        // A round asked for (Keep, Go, F1 … F12) ends in time whatever tab
        // is shown and whatever the camera's state: its asker is told.
        const auto known = watched.find(&camera);
        if (known != watched.end() && known->second.round) {
            Round &round = *known->second.round;
            const qint64 age_ms = round.since.elapsed();
            if (age_ms > answer_limit_ms ||
                (age_ms - round.asked_ms >= ask_again_ms && !ask_again(camera, round)))
                finish(known->second, false);
            continue;
        }
        if (!shown && !followed && !camera.settings().zoom_scaled_speed)
            continue;
        const Camera::State state = camera.state();
        LinkChannel *channel = camera.drive_channel();
        if (!channel || busy(channel) || state == Camera::State::Open)
            continue;
        Watched &camera_watched = watched[&camera];
        const int due = state == Camera::State::NotAnswering ? silent_ms
                        : camera_watched.moving              ? moving_ms
                                                             : resting_ms;
        if (!camera_watched.asked.isValid() || camera_watched.asked.elapsed() >= due)
            start_round(camera, *channel, false, {});
    }
}

void PositionPoller::start_round(Camera &camera, LinkChannel &channel, bool with_focus_mode,
                                 Taken taken)
{
    Watched &camera_watched = watched[&camera];
    if (camera_watched.round)
        finish(camera_watched, false);
    if (!hearing.contains(&channel)) {
        hearing.insert(&channel);
        const LinkChannel *heard = &channel;
        connect(&channel, &LinkChannel::answered, this,
                [this, heard](quint64 message, ReplyOutcome, const QByteArray &reply) {
                    take(heard, message, reply);
                });
        connect(&channel, &QObject::destroyed, this, [this, heard] { hearing.remove(heard); });
    }
    if (!camera_watched.gone) {
        const Camera *watched_camera = &camera;
        camera_watched.gone = connect(&camera, &QObject::destroyed, this,
                                      [this, watched_camera] { watched.erase(watched_camera); });
    }
    const int address = camera.address();
    Round round;
    round.since.start();
    round.taken = std::move(taken);
    round.channel = &channel;
    std::vector<Asked> inquiries = {Asked::PanTilt, Asked::Zoom, Asked::Focus};
    if (with_focus_mode)
        inquiries.push_back(Asked::FocusMode);
    for (const Asked asked : inquiries) {
        quint64 message = 0;
        if (channel.send(inquiry_of(asked, address), {Link::Lane::Console, true, {}}, &message) !=
            SendResult::Sent)
            break;
        round.waiting.insert(message, asked);
    }
    camera_watched.asked.start();
    camera_watched.round = std::move(round);
    if (camera_watched.round->waiting.isEmpty())
        finish(camera_watched, false);
}

QByteArray PositionPoller::inquiry_of(Asked asked, int address)
{
    switch (asked) {
    case Asked::PanTilt: break;
    case Asked::Zoom: return visca::zoom_position_inquiry(address);
    case Asked::Focus: return visca::focus_position_inquiry(address);
    case Asked::FocusMode: return visca::focus_mode_inquiry(address);
    }
    return visca::pan_tilt_position_inquiry(address);
}

bool PositionPoller::ask_again(Camera &camera, Round &round)
{
    LinkChannel *channel = camera.drive_channel();
    if (!channel || channel != round.channel)
        return false;
    round.asked_ms = round.since.elapsed();
    QHash<quint64, Asked> again;
    for (auto entry = round.waiting.cbegin(); entry != round.waiting.cend(); ++entry) {
        // The first send counts as lost: a late answer to it finds the new one.
        channel->lost(entry.key());
        quint64 message = 0;
        if (channel->send(inquiry_of(entry.value(), camera.address()),
                          {Link::Lane::Console, true, {}}, &message) != SendResult::Sent)
            return false;
        again.insert(message, entry.value());
    }
    round.waiting = again;
    return true;
}

void PositionPoller::take(const LinkChannel *channel, quint64 message, const QByteArray &reply)
{
    for (auto &[asked, camera_watched] : watched) {
        if (!camera_watched.round || camera_watched.round->channel != channel ||
            !camera_watched.round->waiting.contains(message))
            continue;
        Round &round = *camera_watched.round;
        Position &found = round.found;
        bool read = false;
        switch (round.waiting.take(message)) {
        case Asked::PanTilt:
            if (const auto pan_tilt = visca::read_pan_tilt(reply)) {
                found.pan_tilt = *pan_tilt;
                read = true;
            }
            break;
        case Asked::Zoom:
            if (const auto zoom = visca::read_lens(reply)) {
                found.zoom = *zoom;
                read = true;
            }
            break;
        case Asked::Focus:
            if (const auto focus = visca::read_lens(reply)) {
                found.focus = *focus;
                read = true;
            }
            break;
        case Asked::FocusMode:
            found.focus_manual = visca::read_focus_manual(reply);
            read = found.focus_manual.has_value();
            break;
        }
        if (!read)
            finish(camera_watched, false);
        else if (round.waiting.isEmpty())
            finish(camera_watched, true);
        return;
    }
}

void PositionPoller::finish(Watched &camera_watched, bool answered)
{
    Round round = std::move(*camera_watched.round);
    camera_watched.round.reset();
    const std::optional<Position> found =
        answered ? std::optional<Position>(round.found) : std::nullopt;
    bool changed_now = false;
    if (found) {
        const std::optional<Position> &last = camera_watched.last;
        const bool moved = last && (last->pan_tilt.pan != found->pan_tilt.pan ||
                                    last->pan_tilt.tilt != found->pan_tilt.tilt ||
                                    last->zoom != found->zoom || last->focus != found->focus);
        changed_now = !last || moved || camera_watched.stale;
        camera_watched.moving = moved;
        camera_watched.last = found;
        camera_watched.last_taken.start();
        // The camera learns its zoom: its pan-tilt speed may follow it.
        for (int index = 0; index < cameras.count(); ++index) {
            const auto entry = watched.find(&cameras.camera(index));
            if (entry != watched.end() && &entry->second == &camera_watched)
                cameras.camera(index).saw_zoom(found->zoom);
        }
        camera_watched.stale = false;
    } else {
        // A lost inquiry keeps the last known position, marked as old.
        changed_now = camera_watched.last && !camera_watched.stale;
        camera_watched.stale = true;
    }
    if (round.taken)
        round.taken(found);
    if (changed_now)
        emit changed();
}
