#include "control/link_channel.h"

#include "visca/command_text.h"
#include "visca/replies.h"

LinkChannel::LinkChannel(Link &link, QObject *parent)
    : QObject(parent), carrier(link), tracker(link)
{
    connect(&tracker, &ReplyTracker::answered, this, &LinkChannel::answered);
    connect(&tracker, &ReplyTracker::to_log, this, &LinkChannel::to_log);
    connect(&tracker, &ReplyTracker::heard, this, &LinkChannel::heard);
}

SendResult LinkChannel::send(const QByteArray &bytes, const Message &message, quint64 *number)
{
    tracker.before_send();
    const bool told = carrier.backlog_full();
    if (!carrier.send(bytes, message.lane)) {
        if (!carrier.backlog_full())
            return SendResult::WriteFailed;
        return told ? SendResult::Backlogged : SendResult::NotReading;
    }
    const quint64 sent = tracker.sent(bytes, message.quiet);
    if (number)
        *number = sent;
    emit asked(visca::addressees(bytes));
    if (!message.quiet)
        emit announced(bytes, message.text.isEmpty() ? spaced_hex(bytes) : message.text);
    return SendResult::Sent;
}

SendResult LinkChannel::send_text(const QString &text, Link::Lane lane, quint64 *number)
{
    bool ok = false;
    const QByteArray bytes = command_bytes(text, &ok);
    // Bytes that do not end a message stay in the camera's buffer and spoil
    // the next command, which may be a stop. Nothing at all harms nothing.
    if (!ok || !(bytes.isEmpty() || ends_message(bytes)))
        return SendResult::BadText;
    return send(bytes, {lane, false, text}, number);
}
