#include "control/stop_confirmation.h"

#include "links/link.h"

StopConfirmation::StopConfirmation(Resend send_again, QObject *parent)
    : QObject(parent), resend(std::move(send_again))
{
    for (int axis = 0; axis < axes; ++axis) {
        QTimer &timer = pending.at(axis).timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, this, [this, axis] { again(axis); });
    }
}

void StopConfirmation::sent(int axis, Link &link, const QString &text, quint64 message)
{
    forget(axis);
    ReplyTracker &tracker = ReplyTracker::of(link);
    Pending &stop = pending.at(axis);
    stop.link = &link;
    stop.text = text;
    stop.messages = {message};
    stop.resends = 0;
    stop.answers = connect(&tracker, &ReplyTracker::answered, this,
                           [this, axis](quint64 answered_message, ReplyTracker::Outcome outcome) {
                               answered(axis, answered_message, outcome);
                           });
    stop.timer.start(wait_ms);
}

void StopConfirmation::forget(int axis)
{
    Pending &stop = pending.at(axis);
    stop.timer.stop();
    disconnect(stop.answers);
    stop.link = nullptr;
    stop.messages.clear();
}

void StopConfirmation::answered(int axis, quint64 message, ReplyTracker::Outcome outcome)
{
    // Any of the stop's sends counts: a reply to an earlier one may come
    // late, after the stop went again.
    if (!pending.at(axis).messages.contains(message))
        return;
    if (outcome == ReplyTracker::Outcome::Failed)
        again(axis);
    else
        forget(axis);
}

void StopConfirmation::again(int axis)
{
    Pending &stop = pending.at(axis);
    Link *link = stop.link;
    // A link closed meanwhile has no camera left to ask; a camera that has
    // not answered anything since the link opened (a converter, a silent
    // camera) is not expected to confirm.
    if (!link || !link->isOpen() || !ReplyTracker::of(*link).answering()) {
        forget(axis);
        return;
    }
    if (stop.resends == most_resends) {
        forget(axis);
        emit unconfirmed();
        return;
    }
    // Unanswered, the last send counts as lost, so that the replies to come
    // find their own messages.
    ReplyTracker::of(*link).lost(stop.messages.last());
    ++stop.resends;
    quint64 message = 0;
    if (!resend(*link, stop.text, &message)) {
        forget(axis);
        return;
    }
    stop.messages << message;
    stop.timer.start(wait_ms);
}
