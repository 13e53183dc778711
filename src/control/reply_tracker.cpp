#include "control/reply_tracker.h"

#include "links/link.h"
#include "visca/replies.h"

ReplyTracker::ReplyTracker(Link &link, QObject *parent) : QObject(parent), carrier(link)
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
    forget_lost();
    for (int start = 0, end = 0; (end = bytes.indexOf(char(0xFF), start)) >= 0; start = end + 1)
        first_replies.append(
            {last_message, now, visca::addressee(bytes.mid(start, end + 1 - start)).value_or(0)});
    while (first_replies.size() > most_waiting)
        drop_first();
    return last_message;
}

void ReplyTracker::drop_first() { quiet.remove(first_replies.takeFirst().message); }

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
        if (carrier.datagrams()) {
            // A datagram is one message, or no reply: a stray byte must not
            // join the next datagram's message, nor a second FF follow one.
            const bool whole = !bytes.isEmpty() && bytes.indexOf(char(0xFF)) == bytes.size() - 1;
            if (!(whole && take_reply(bytes)))
                shown << bytes;
            continue;
        }
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
    const int socket = reply->address * 16 + reply->socket;
    if (reply->kind == visca::ReplyKind::Completion) {
        if (sockets.contains(socket))
            emit answered(sockets.take(socket), Outcome::Completed, message);
        return false;
    }
    // The oldest message to this camera (or to none named) waiting.
    int waiting_at = -1;
    for (int i = 0; i < first_replies.size() && waiting_at < 0; ++i) {
        const int address = first_replies.at(i).address;
        if (address == 0 || address == reply->address)
            waiting_at = i;
    }
    if (waiting_at < 0) {
        // An error for a socket's command after its ACK (cancelled).
        if (reply->kind == visca::ReplyKind::Error && sockets.contains(socket))
            emit answered(sockets.take(socket), Outcome::Failed, message);
        return false;
    }
    const quint64 answered_message = first_replies.takeAt(waiting_at).message;
    const bool was_quiet = quiet.remove(answered_message);
    switch (reply->kind) {
    case visca::ReplyKind::Ack:
        sockets.insert(socket, answered_message);
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
    // The camera answers in order: what it owes from before `message` is
    // lost with it. Other cameras' messages wait on.
    QSet<int> addresses;
    for (const Waiting &entry : qAsConst(first_replies)) {
        if (entry.message == message)
            addresses << entry.address;
    }
    for (int i = 0; i < first_replies.size();) {
        const Waiting &entry = first_replies.at(i);
        const bool owed =
            addresses.contains(entry.address) || addresses.contains(0) || entry.address == 0;
        if (entry.message <= message && owed)
            quiet.remove(first_replies.takeAt(i).message);
        else
            ++i;
    }
}

void ReplyTracker::forget_lost()
{
    const qint64 now = clock.elapsed();
    while (!first_replies.isEmpty() && now - first_replies.first().since_ms > lost_after_ms)
        drop_first();
}
