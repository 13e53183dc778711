#include "control/reply_tracker.h"

#include "links/link.h"
#include "visca/replies.h"

ReplyTracker::ReplyTracker(Link &link, QObject *parent) : QObject(parent)
{
    clock.start();
    connect(&link, &Link::received, this, &ReplyTracker::take);
    connect(&link, &Link::opened, this, &ReplyTracker::start_afresh);
}

void ReplyTracker::start_afresh()
{
    heard_anything = false;
    heard_addresses.clear();
    first_sent_ms = -1;
    first_replies.clear();
    quiet.clear();
    sockets.clear();
    cutter = PacketCutter();
}

quint64 ReplyTracker::sent(const QByteArray &bytes, bool is_quiet)
{
    ++last_message;
    if (is_quiet)
        quiet.insert(last_message);
    const qint64 now = clock.elapsed();
    if (first_sent_ms < 0)
        first_sent_ms = now;
    for (int i = 0; i < bytes.count(char(0xFF)); ++i)
        first_replies.append({last_message, now});
    return last_message;
}

bool ReplyTracker::may_answer() const
{
    return heard_anything || first_sent_ms < 0 || clock.elapsed() - first_sent_ms < first_answer_ms;
}

void ReplyTracker::take(const QList<QByteArray> &replies)
{
    // TCP hands over what one read got, which may hold several messages
    // or part of one; on the other links a packet is one message already.
    QList<QByteArray> shown;
    for (const QByteArray &bytes : replies) {
        QByteArray kept = bytes;
        const auto messages = cutter.feed(bytes);
        for (const QByteArray &message : messages) {
            // A quiet answer cut over two reads is shown as it came.
            const int at = take_reply(message) ? kept.indexOf(message) : -1;
            if (at >= 0)
                kept.remove(at, message.size());
        }
        // An empty datagram is shown as it came, a quiet answer not at all.
        if (!kept.isEmpty() || bytes.isEmpty())
            shown << kept;
    }
    if (!shown.isEmpty())
        emit to_log(shown);
}

bool ReplyTracker::take_reply(const QByteArray &message)
{
    const std::optional<visca::Reply> reply = visca::read_reply(message);
    if (!reply)
        return false;
    heard_anything = true;
    heard_addresses.insert(reply->address);
    emit heard(reply->address);
    forget_lost();
    if (reply->kind == visca::ReplyKind::Completion) {
        if (sockets.contains(reply->socket))
            emit answered(sockets.take(reply->socket), Outcome::Completed, message);
        return false;
    }
    if (first_replies.isEmpty()) {
        // An error for a socket's command after its ACK (cancelled).
        if (reply->kind == visca::ReplyKind::Error && sockets.contains(reply->socket))
            emit answered(sockets.take(reply->socket), Outcome::Failed, message);
        return false;
    }
    const quint64 answered_message = first_replies.takeFirst().message;
    const bool was_quiet = quiet.remove(answered_message);
    switch (reply->kind) {
    case visca::ReplyKind::Ack:
        sockets.insert(reply->socket, answered_message);
        emit answered(answered_message, Outcome::Accepted, message);
        break;
    case visca::ReplyKind::Answer:
        emit answered(answered_message, Outcome::Accepted, message);
        break;
    case visca::ReplyKind::Error: emit answered(answered_message, Outcome::Failed, message); break;
    case visca::ReplyKind::Completion: break;
    }
    return was_quiet;
}

void ReplyTracker::lost(quint64 message)
{
    while (!first_replies.isEmpty() && first_replies.first().message <= message)
        quiet.remove(first_replies.takeFirst().message);
}

void ReplyTracker::forget_lost()
{
    const qint64 now = clock.elapsed();
    while (!first_replies.isEmpty() && now - first_replies.first().since_ms > lost_after_ms)
        quiet.remove(first_replies.takeFirst().message);
}
