#ifndef ZARVICK_REPLY_TRACKER_H
#define ZARVICK_REPLY_TRACKER_H

#include "visca/answer_times.h"
#include "visca/logged_reply.h"
#include "visca/packet_cutter.h"
#include "visca/replies.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>
#include <vector>

class Link;

// What a reply says of the message it answers.
enum class ReplyOutcome {
    Accepted,  // an ACK or an inquiry's answer
    Completed, // the command was executed
    Failed,    // an error reply
};

// What the cameras on one link have answered, matched to what was sent.
// Over VISCA over IP each reply names its message's number, and only that
// message takes it. Raw VISCA numbers nothing, so a reply is matched by
// what it can answer: it comes from the camera the message went to (`y0`,
// y = address + 8), an ACK or completion answers a command, an answer an
// inquiry (of its size), and a camera answers its messages in their order.
// A message still unanswered `reply_ms` after it went, when a later one to
// its camera goes, is overdue: a datagram lost on the way, most likely, so
// later replies go to the later messages; it takes a reply only when
// nothing later can. Replies that came before a message went are read
// before it goes. A command's completion names the camera and the socket
// of its ACK. A message unanswered for a second, or the oldest when more
// than `most_waiting` wait, is dropped. On a link of datagrams a reply is
// a datagram that is one whole message.
class ReplyTracker : public QObject
{
    Q_OBJECT

public:
    using Outcome = ReplyOutcome;
    static constexpr int lost_after_ms = visca::silence_ms;
    static constexpr int overdue_ms = visca::reply_ms;
    static constexpr int most_waiting = 4096;

    // Made by the link's channel, the only one that sends on the link.
    explicit ReplyTracker(Link &link, QObject *parent = nullptr);
    // Messages sent (whole VISCA messages, one or more): their number,
    // which answered() names. The answers of a `quiet` message (the
    // program's own inquiries) are left out of to_log().
    quint64 sent(const QByteArray &bytes, bool quiet = false);
    // Called before a message is written: replies already there are taken
    // first, so that none of them is taken for its own.
    void before_send();
    // Takes the replies waiting to be read now, and tells them at once.
    void catch_up();
    // `message` went unanswered for long enough to count as lost: it, and
    // whatever its camera owes from before it, no longer take the replies
    // of later messages.
    void lost(quint64 message);
    // Whether the camera at `address` has answered anything since the link
    // opened: only then are its answers to be waited for. On a chain, the
    // line's other cameras answering says nothing of this one.
    bool answering(int address) const { return heard_addresses.contains(address); }
    // Whether any camera on the link has answered anything since it
    // opened: only then is an answer to be waited for.
    bool may_answer() const { return heard_anything; }
    // How long the camera at `address` takes to answer, as its quick
    // replies of late show: -1 before its first reply.
    int reply_time_ms(int address) const { return reply_times.value(address, -1); }
    // Messages still waiting for their first reply.
    int waiting() const { return int(first_replies.size()); }

signals:
    void answered(quint64 message, ReplyOutcome outcome, const QByteArray &reply);
    // What the link received, less the answers to quiet messages: what the
    // log shows.
    void to_log(const QList<LoggedReply> &replies);
    // The camera at `address` (1-7) said something.
    void heard(int address);

private:
    struct Waiting {
        quint64 message;
        qint64 since_ms;
        // The camera it went to; 0 for none named (a broadcast, typed bytes).
        int address;
        // One VISCA message, for what may answer it.
        QByteArray bytes;
        // The link's number for it; -1 on a link that numbers nothing.
        qint64 number = -1;
        bool overdue = false;
    };
    // A command acknowledged, for its completion: its number, its one
    // VISCA message and when it went.
    struct Acknowledged {
        quint64 message = 0;
        QByteArray bytes;
        qint64 since_ms = 0;
    };
    void take(const QList<QByteArray> &replies);
    // What one read of a stream brought, less the answers to quiet messages.
    LoggedReply take_read(const QByteArray &bytes);
    void drop_first();
    // True when `message` answered a quiet message; `number` is the link's
    // number of the message it answers, -1 when the link gives none.
    // `found` gets the message it answers.
    bool take_reply(const QByteArray &message, qint64 number, HeardReply *found);
    // Where the message a reply answers waits; -1 for none.
    int answered_at(const visca::Reply &reply, qint64 number) const;
    // The message waiting at `at` answered by the camera at `address`.
    Waiting take_waiting(int at, int address);
    // An ACK's message, for the completion to come (by number, or by
    // camera and socket).
    void keep_for_completion(const Waiting &message, qint64 number, int socket);
    // The acknowledged command a completion or a late error answers.
    quint64 completed(const Acknowledged &command, HeardReply *found) const;
    void forget_lost();
    void start_afresh();
    // Emits what `news` emits, now or, while replies are read before a
    // send, once the sender is done.
    void tell(std::function<void()> news);
    void tell_held();
    void answer(quint64 message, Outcome outcome, const QByteArray &reply);

    QList<Waiting> first_replies;
    QSet<quint64> quiet;
    QSet<int> heard_addresses;
    QHash<int, int> reply_times;
    // By camera and socket (address * 16 + socket).
    QHash<int, Acknowledged> sockets;
    // VISCA over IP: by the link's number, the messages acknowledged.
    QHash<qint64, Acknowledged> acknowledged;
    // Replies are being taken: a send from a slot they reach must not
    // read the link again in the middle.
    bool taking = false;
    bool holding = false;
    std::vector<std::function<void()>> held;
    QTimer tell_later;
    Link &carrier;
    PacketCutter cutter;
    QElapsedTimer clock;
    bool heard_anything = false;
    quint64 last_message = 0;
};

#endif
