#include "control/stop_confirmation.h"

#include "visca/positions.h"
#include "visca/replies.h"

#include <algorithm>

namespace {
QByteArray position_inquiry(Axis axis, int address)
{
    switch (axis) {
    case Axis::PanTilt: return visca::pan_tilt_position_inquiry(address);
    case Axis::Zoom: return visca::zoom_position_inquiry(address);
    case Axis::Focus: return visca::focus_position_inquiry(address);
    }
    return QByteArray();
}
} // namespace

StopConfirmation::StopConfirmation(Resend send_again, QObject *parent)
    : QObject(parent), resend(std::move(send_again))
{
}

StopConfirmation::Pending &StopConfirmation::at(const Key &key)
{
    std::unique_ptr<Pending> &slot = pending[key];
    if (!slot) {
        slot = std::make_unique<Pending>();
        Pending &stop = *slot;
        stop.axis = std::get<0>(key);
        stop.timer.setInterval(ask_ms);
        connect(&stop.timer, &QTimer::timeout, this, [this, &stop] { tick(stop); });
    }
    return *slot;
}

void StopConfirmation::sent(Axis axis, LinkChannel &channel, int address, const QByteArray &bytes,
                            quint64 message)
{
    Pending &stop = at({axis, &channel, address});
    reset(stop);
    stop.channel = &channel;
    stop.address = address;
    stop.bytes = bytes;
    stop.messages = {message};
    stop.since.start();
    stop.hearing = connect(
        &channel, &LinkChannel::answered, this,
        [this, &stop](quint64 answered_message, ReplyOutcome outcome, const QByteArray &reply) {
            answered(stop, answered_message, outcome, reply);
        });
    stop.timer.start();
}

void StopConfirmation::forget(Axis axis, const LinkChannel *channel, int address)
{
    const auto found = pending.find({axis, channel, address});
    if (found != pending.end())
        reset(*found->second);
}

bool StopConfirmation::waiting(Axis axis) const
{
    return std::any_of(pending.begin(), pending.end(), [axis](const auto &entry) {
        return entry.second->channel && entry.second->axis == axis;
    });
}

bool StopConfirmation::waiting() const
{
    for (const auto &entry : pending) {
        if (entry.second->channel)
            return true;
    }
    return false;
}

QList<std::pair<LinkChannel *, int>> StopConfirmation::waiting_on(const Link &link) const
{
    QList<std::pair<LinkChannel *, int>> found;
    for (const auto &entry : pending) {
        const Pending &stop = *entry.second;
        if (stop.channel && &stop.channel->link() == &link)
            found.append({stop.channel.data(), stop.address});
    }
    return found;
}

void StopConfirmation::reset(Pending &stop)
{
    stop.timer.stop();
    disconnect(stop.hearing);
    stop.channel = nullptr;
    stop.messages.clear();
    stop.asked.clear();
    stop.ticks = 0;
    stop.heard = stop.refused = stop.moving = stop.reached = false;
    stop.same.clear();
    stop.same_since = -1;
}

void StopConfirmation::answered(Pending &stop, quint64 message, ReplyOutcome outcome,
                                const QByteArray &reply)
{
    // Replies of the camera that may have no sure owner: an error may be
    // the stop's (send it again), anything else may be its ACK (ask).
    if (visca::sender_of(reply) == stop.address) {
        (outcome == ReplyOutcome::Failed ? stop.refused : stop.heard) = true;
        // Only an answer to the stop or to what went after it shows the
        // camera was there since: the late reply to the drive before it
        // (read after the stop went) does not.
        if (!stop.messages.isEmpty() && message >= stop.messages.first())
            stop.reached = true;
    }
    if (stop.asked.remove(message)) {
        if (outcome == ReplyOutcome::Accepted)
            seen(stop, reply);
        return;
    }
    // Any of the stop's sends counts: a reply to an earlier one may come
    // late, after the stop went again.
    if (!stop.messages.contains(message))
        return;
    // An error (a full buffer) goes again when the wait is over, as a
    // silence does: a camera that refuses at once is not asked at once.
    if (outcome != ReplyOutcome::Failed)
        reset(stop);
}

void StopConfirmation::seen(Pending &stop, const QByteArray &answer)
{
    // The same answer at least `rest_ms` apart: the axis is at rest. A
    // camera moving at its slowest still changes its answer in that time.
    // Timed as they arrive: on raw VISCA, with inquiries lost, which one
    // an answer is for is not sure, and the camera answers at once.
    const qint64 now = stop.since.elapsed();
    stop.moving = stop.same_since >= 0 && answer != stop.same;
    if (stop.same_since >= 0 && !stop.moving) {
        if (now - stop.same_since >= rest_ms)
            reset(stop);
        return;
    }
    stop.same = answer;
    stop.same_since = now;
}

void StopConfirmation::tick(Pending &stop)
{
    // Replies there, unread, come first: the stop may be confirmed.
    if (stop.channel)
        stop.channel->catch_up();
    LinkChannel *channel = stop.channel;
    // A link closed meanwhile has no camera left to ask; a camera that has
    // not answered anything since the link opened (a converter, a silent
    // camera) is not expected to confirm.
    if (!channel || !channel->isOpen() || !channel->answering(stop.address)) {
        reset(stop);
        return;
    }
    ++stop.ticks;
    // A camera that answers is given longer to take a stop or show it at
    // rest than one that says nothing at all.
    if (stop.ticks * ask_ms >= (stop.reached ? 2 * give_up_ms : give_up_ms)) {
        const int address = stop.address;
        const bool silent = !stop.reached;
        reset(stop);
        emit unconfirmed(channel, address, silent);
        return;
    }
    if (stop.ticks * ask_ms < wait_ms)
        return;
    // Seen moving, the stop goes twice as often: every one lost lets the
    // camera run on.
    const int every_ms = stop.moving ? wait_ms / 2 : wait_ms;
    if (stop.ticks * ask_ms % every_ms == 0 && (!stop.heard || stop.refused || stop.moving) &&
        !send_again(stop))
        return;
    quint64 message = 0;
    if (channel->send(position_inquiry(stop.axis, stop.address), {Link::Lane::Camera, true, {}},
                      &message) == SendResult::Sent)
        stop.asked.insert(message);
}

bool StopConfirmation::send_again(Pending &stop)
{
    // Unanswered, the last send counts as lost, so that the replies to come
    // find their own messages.
    stop.channel->lost(stop.messages.last());
    quint64 message = 0;
    if (!resend(*stop.channel, stop.bytes, &message)) {
        reset(stop);
        return false;
    }
    stop.messages << message;
    stop.heard = stop.refused = false;
    return true;
}
