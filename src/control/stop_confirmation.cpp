#include "control/stop_confirmation.h"

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
        stop.timer.setSingleShot(true);
        connect(&stop.timer, &QTimer::timeout, this, [this, &stop] { again(stop); });
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
    stop.answers = connect(&channel, &LinkChannel::answered, this,
                           [this, &stop](quint64 answered_message, ReplyOutcome outcome) {
                               answered(stop, answered_message, outcome);
                           });
    stop.timer.start(wait_ms);
}

void StopConfirmation::forget(Axis axis, const LinkChannel *channel, int address)
{
    const auto found = pending.find({axis, channel, address});
    if (found != pending.end())
        reset(*found->second);
}

void StopConfirmation::reset(Pending &stop)
{
    stop.timer.stop();
    disconnect(stop.answers);
    stop.channel = nullptr;
    stop.messages.clear();
    stop.resends = 0;
}

void StopConfirmation::answered(Pending &stop, quint64 message, ReplyOutcome outcome)
{
    // Any of the stop's sends counts: a reply to an earlier one may come
    // late, after the stop went again.
    if (!stop.messages.contains(message))
        return;
    // An error (a full buffer) goes again when the wait is over, as a
    // silence does: a camera that refuses at once is not asked at once.
    if (outcome != ReplyOutcome::Failed)
        reset(stop);
}

void StopConfirmation::again(Pending &stop)
{
    LinkChannel *channel = stop.channel;
    // A link closed meanwhile has no camera left to ask; a camera that has
    // not answered anything since the link opened (a converter, a silent
    // camera) is not expected to confirm.
    if (!channel || !channel->isOpen() || !channel->answering(stop.address)) {
        reset(stop);
        return;
    }
    if (stop.resends == most_resends) {
        reset(stop);
        emit unconfirmed();
        return;
    }
    // Unanswered, the last send counts as lost, so that the replies to come
    // find their own messages.
    channel->lost(stop.messages.last());
    ++stop.resends;
    quint64 message = 0;
    if (!resend(*channel, stop.bytes, &message)) {
        reset(stop);
        return;
    }
    stop.messages << message;
    stop.timer.start(wait_ms);
}
