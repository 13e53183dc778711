#include "control/position_poller.h"

#include "control/cameras.h"
#include "control/reply_tracker.h"
#include "links/link.h"

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
}

void PositionPoller::set_running(bool running)
{
    if (running)
        ticker.start();
    else
        ticker.stop();
}

std::optional<PositionPoller::Position> PositionPoller::position(int camera) const
{
    Link *link = cameras.drive_link(camera);
    const auto found = watched.find({link, cameras.settings(camera).visca_address});
    if (!link || found == watched.end())
        return std::nullopt;
    return found->second.last;
}

void PositionPoller::ask(int camera, Taken taken)
{
    Link *link = cameras.drive_link(camera);
    if (!link) {
        taken(std::nullopt);
        return;
    }
    start_round(*link, cameras.settings(camera).visca_address, true, std::move(taken));
}

void PositionPoller::tick()
{
    for (int camera = 0; camera < cameras.count(); ++camera) {
        // A camera never heard (a converter, a camera that does not
        // answer) is not asked: only cameras that answer have a position.
        const Cameras::State state = cameras.state(camera);
        Link *link = cameras.drive_link(camera);
        if (!link || busy(link) || state == Cameras::State::Open)
            continue;
        const int address = cameras.settings(camera).visca_address;
        Watched &camera_watched = watched[{link, address}];
        if (camera_watched.round) {
            if (camera_watched.round->since.elapsed() > answer_limit_ms)
                finish(camera_watched, false);
            continue;
        }
        const int due = state == Cameras::State::NotAnswering ? silent_ms
                        : camera_watched.moving               ? moving_ms
                                                              : resting_ms;
        if (!camera_watched.asked.isValid() || camera_watched.asked.elapsed() >= due)
            start_round(*link, address, false, {});
    }
}

void PositionPoller::start_round(Link &link, int address, bool with_focus_mode, Taken taken)
{
    Watched &camera_watched = watched[{&link, address}];
    if (camera_watched.round)
        finish(camera_watched, false);
    if (!hearing.contains(&link)) {
        hearing.insert(&link);
        const Link *heard = &link;
        connect(&ReplyTracker::of(link), &ReplyTracker::answered, this,
                [this, heard](quint64 message, ReplyTracker::Outcome, const QByteArray &reply) {
                    take(heard, message, reply);
                });
        connect(&link, &QObject::destroyed, this, [this, heard] {
            hearing.remove(heard);
            for (auto it = watched.begin(); it != watched.end();)
                it = it->first.first == heard ? watched.erase(it) : std::next(it);
        });
    }
    Round round;
    round.since.start();
    round.taken = std::move(taken);
    std::vector<std::pair<Asked, QByteArray>> inquiries = {
        {Asked::PanTilt, visca::pan_tilt_position_inquiry(address)},
        {Asked::Zoom, visca::zoom_position_inquiry(address)},
        {Asked::Focus, visca::focus_position_inquiry(address)}};
    if (with_focus_mode)
        inquiries.emplace_back(Asked::FocusMode, visca::focus_mode_inquiry(address));
    ReplyTracker &tracker = ReplyTracker::of(link);
    for (const auto &inquiry : inquiries) {
        if (!link.send(inquiry.second, Link::Lane::Console))
            break;
        round.waiting.insert(tracker.sent(inquiry.second, true), inquiry.first);
        cameras.note_written(link, inquiry.second);
    }
    camera_watched.asked.start();
    camera_watched.round = std::move(round);
    if (camera_watched.round->waiting.isEmpty())
        finish(camera_watched, false);
}

void PositionPoller::take(const Link *link, quint64 message, const QByteArray &reply)
{
    for (auto &[key, camera_watched] : watched) {
        if (key.first != link || !camera_watched.round ||
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
    const auto same = [](const std::optional<Position> &a, const std::optional<Position> &b) {
        return a.has_value() == b.has_value() &&
               (!a || (a->pan_tilt.pan == b->pan_tilt.pan && a->pan_tilt.tilt == b->pan_tilt.tilt &&
                       a->zoom == b->zoom && a->focus == b->focus));
    };
    const bool changed_now = !same(camera_watched.last, found);
    camera_watched.moving = answered && changed_now && camera_watched.last.has_value();
    camera_watched.last = found;
    if (round.taken)
        round.taken(found);
    if (changed_now)
        emit changed();
}
