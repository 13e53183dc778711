#include "control/command_sender.h"

#include "control/reply_tracker.h"
#include "visca/command_text.h"

SendResult CommandSender::send(Link &link, const QString &text, Link::Lane lane, quint64 *message)
{
    bool ok = false;
    const QByteArray bytes = command_bytes(text, &ok);
    // Bytes that do not end a message stay in the camera's buffer and spoil
    // the next command, which may be a stop. Nothing at all harms nothing.
    if (!ok || !(bytes.isEmpty() || ends_message(bytes)))
        return SendResult::BadText;
    return send_bytes(link, bytes, lane, message, text);
}

SendResult CommandSender::send_bytes(Link &link, const QByteArray &bytes, Link::Lane lane,
                                     quint64 *message, const QString &text)
{
    const bool told = link.backlog_full();
    if (!link.send(bytes, lane)) {
        if (!link.backlog_full())
            return SendResult::WriteFailed;
        return told ? SendResult::Backlogged : SendResult::NotReading;
    }
    const quint64 number = ReplyTracker::of(link).sent(bytes);
    if (message)
        *message = number;
    emit wrote(link, bytes);
    const QString shown = text.isEmpty() ? spaced_hex(bytes) : text;
    emit sent(label ? label(link, bytes) + shown : shown);
    return SendResult::Sent;
}
