#include "control/reply_tracker.h"

#include "links/link.h"
#include "visca/replies.h"

#include <utility>

ReplyTracker::ReplyTracker(Link &link, QObject *parent) : QObject(parent), carrier(link)
{
    tell_later.setSingleShot(true);
    tell_later.setInterval(0);
    connect(&tell_later, &QTimer::timeout, this, &ReplyTracker::tell_held);
    clock.start();
    connect(&link, &Link::received, this, &ReplyTracker::take);
    connect(&link, &Link::opened, this, &ReplyTracker::start_afresh);
}

void ReplyTracker::start_afresh()
{
    heard_anything = false;
    heard_addresses.clear();
    reply_times.clear();
    first_replies.clear();
    quiet.clear();
    sockets.clear();
    acknowledged.clear();
    cutter = PacketCutter();
}

quint64 ReplyTracker::sent(const QByteArray &bytes, bool is_quiet)
{
    ++last_message;
    if (is_quiet)
        quiet.insert(last_message);
    const qint64 now = clock.elapsed();
    forget_lost();
    const qint64 number = carrier.last_number();
    for (int start = 0, end = 0; (end = bytes.indexOf(char(0xFF), start)) >= 0; start = end + 1) {
        const QByteArray message = bytes.mid(start, end + 1 - start);
        const int address = visca::addressee(message).value_or(0);
        for (Waiting &entry : first_replies) {
            // A number the link counts afresh answers only its newest message.
            if (number >= 0 && entry.number == number)
                entry.number = -2;
            if ((entry.address == address || address == 0) && now - entry.since_ms > overdue_ms)
                entry.overdue = true;
        }
        first_replies.append({last_message, now, address, message, number});
    }
    while (first_replies.size() > most_waiting)
        drop_first();
    return last_message;
}

void ReplyTracker::drop_first() { quiet.remove(first_replies.takeFirst().message); }

void ReplyTracker::take(const QList<QByteArray> &replies)
{
    // TCP hands over what one read got, which may hold several messages
    // or part of one; on the other links a packet is one message already.
    if (!holding)
        tell_held();
    QList<LoggedReply> shown;
    const QList<qint64> numbers = carrier.reply_numbers();
    const bool was_taking = std::exchange(taking, true);
    for (int index = 0; index < replies.size(); ++index) {
        const QByteArray &bytes = replies.at(index);
        if (carrier.datagrams()) {
            HeardReply found{bytes, {}, -1};
            // A datagram is one message, or no reply: a stray byte must not
            // join the next datagram's message, nor a second FF follow one.
            const bool whole = !bytes.isEmpty() && bytes.indexOf(char(0xFF)) == bytes.size() - 1;
            const qint64 number = index < numbers.size() ? numbers.at(index) : -1;
            if (!(whole && take_reply(bytes, number, &found)))
                shown << LoggedReply{bytes, whole ? QList<HeardReply>{found} : QList<HeardReply>{}};
            continue;
        }
        // An empty read is shown as it came, a quiet answer not at all.
        const LoggedReply kept = take_read(bytes);
        if (!kept.bytes.isEmpty() || bytes.isEmpty())
            shown << kept;
    }
    taking = was_taking;
    if (!shown.isEmpty())
        tell([this, shown] { emit to_log(shown); });
}

LoggedReply ReplyTracker::take_read(const QByteArray &bytes)
{
    LoggedReply kept{bytes, {}};
    const auto messages = cutter.feed(bytes);
    for (const QByteArray &message : messages) {
        HeardReply found{message, {}, -1};
        // A quiet answer cut over two reads is shown as it came.
        const int at = take_reply(message, -1, &found) ? kept.bytes.indexOf(message) : -1;
        if (at >= 0)
            kept.bytes.remove(at, message.size());
        else
            kept.replies << found;
    }
    return kept;
}

void ReplyTracker::before_send()
{
    // Whatever came before a message is no reply to it. A send from a slot
    // that replies reach waits for the rest of them to be taken first.
    if (taking)
        return;
    // Matched now, told after the sender is done: it may be in the middle
    // of sending several messages.
    holding = true;
    carrier.read_waiting();
    holding = false;
    if (!held.empty())
        tell_later.start();
}

void ReplyTracker::catch_up()
{
    if (taking || holding)
        return;
    tell_held();
    carrier.read_waiting();
}

void ReplyTracker::tell(std::function<void()> news)
{
    if (holding)
        held.push_back(std::move(news));
    else
        news();
}

void ReplyTracker::answer(quint64 message, Outcome outcome, const QByteArray &reply)
{
    tell([this, message, outcome, reply] { emit answered(message, outcome, reply); });
}

void ReplyTracker::tell_held()
{
    // In the order it came, before whatever came later.
    std::vector<std::function<void()>> news;
    news.swap(held);
    for (const auto &told : news)
        told();
}

bool ReplyTracker::take_reply(const QByteArray &message, qint64 number, HeardReply *found)
{
    const std::optional<visca::Reply> reply = visca::read_reply(message);
    if (!reply)
        return false;
    heard_anything = true;
    heard_addresses.insert(reply->address);
    tell([this, address = reply->address] { emit heard(address); });
    forget_lost();
    const int socket = reply->address * 16 + reply->socket;
    if (reply->kind == visca::ReplyKind::Completion) {
        if (number >= 0 ? acknowledged.contains(number) : sockets.contains(socket))
            answer(completed(number >= 0 ? acknowledged.take(number) : sockets.take(socket), found),
                   Outcome::Completed, message);
        return false;
    }
    const int waiting_at = answered_at(*reply, number);
    if (waiting_at < 0) {
        // An error for a socket's command after its ACK (cancelled).
        if (reply->kind == visca::ReplyKind::Error && sockets.contains(socket))
            answer(completed(sockets.take(socket), found), Outcome::Failed, message);
        return false;
    }
    const Waiting answered = take_waiting(waiting_at, reply->address);
    found->asked = answered.bytes;
    found->after_ms = clock.elapsed() - answered.since_ms;
    const bool was_quiet = quiet.remove(answered.message);
    switch (reply->kind) {
    case visca::ReplyKind::Ack:
        keep_for_completion(answered, number, socket);
        answer(answered.message, Outcome::Accepted, message);
        break;
    case visca::ReplyKind::Answer: answer(answered.message, Outcome::Accepted, message); break;
    case visca::ReplyKind::Error: answer(answered.message, Outcome::Failed, message); break;
    case visca::ReplyKind::Completion: break;
    }
    return was_quiet;
}

quint64 ReplyTracker::completed(const Acknowledged &command, HeardReply *found) const
{
    found->asked = command.bytes;
    found->after_ms = clock.elapsed() - command.since_ms;
    return command.message;
}

ReplyTracker::Waiting ReplyTracker::take_waiting(int at, int address)
{
    // The camera answers in order: what it owed from before went unanswered.
    for (int i = 0; i < at; ++i) {
        if (first_replies.at(i).address == address)
            first_replies[i].overdue = true;
    }
    Waiting answered = first_replies.takeAt(at);
    // A reply given to an older message than its own makes the camera look
    // slow; the quick replies tell its pace: taken at once, a slow one only
    // an eighth.
    if (!answered.overdue) {
        const int took_ms = int(clock.elapsed() - answered.since_ms);
        const auto known = reply_times.find(address);
        if (known == reply_times.end() || took_ms <= *known)
            reply_times.insert(address, took_ms);
        else
            *known += (took_ms - *known) / 8;
    }
    return answered;
}

void ReplyTracker::keep_for_completion(const Waiting &message, qint64 number, int socket)
{
    const Acknowledged command{message.message, message.bytes, message.since_ms};
    if (number < 0) {
        sockets.insert(socket, command);
        return;
    }
    if (acknowledged.size() >= most_waiting)
        acknowledged.clear();
    acknowledged.insert(number, command);
}

int ReplyTracker::answered_at(const visca::Reply &reply, qint64 number) const
{
    if (number >= 0) {
        for (int i = 0; i < first_replies.size(); ++i) {
            if (first_replies.at(i).number == number)
                return i;
        }
        return -1;
    }
    // The oldest message to this camera (or to none named) that the reply
    // can answer, the overdue ones last.
    int overdue_at = -1;
    for (int i = 0; i < first_replies.size(); ++i) {
        const Waiting &entry = first_replies.at(i);
        if ((entry.address != 0 && entry.address != reply.address) ||
            !visca::may_answer(entry.bytes, reply))
            continue;
        if (!entry.overdue)
            return i;
        if (overdue_at < 0)
            overdue_at = i;
    }
    return overdue_at;
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
