#ifndef ZARVICK_REPLY_TRACKER_H
#define ZARVICK_REPLY_TRACKER_H

#include "visca/answer_times.h"
#include "visca/packet_cutter.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

class Link;

// What a reply says of the message it answers.
enum class ReplyOutcome {
    Accepted,  // an ACK or an inquiry's answer
    Completed, // the command was executed
    Failed,    // an error reply
};

// What the cameras on one link have answered, matched to what was sent.
// A camera answers its messages in their order: a message's first reply is
// its ACK, its error or an inquiry's answer, and comes from the camera the
// message went to (`y0`, y = address + 8); a command's completion names the
// camera and the socket of its ACK. A message that waited a second for its
// first reply counts as lost (a dropped datagram), so that the replies
// after it find their own messages; so does the oldest when more than
// `most_waiting` wait. On a link of datagrams a reply is a datagram that
// is one whole message.
class ReplyTracker : public QObject
{
    Q_OBJECT

public:
    using Outcome = ReplyOutcome;
    static constexpr int lost_after_ms = visca::silence_ms;
    static constexpr int most_waiting = 4096;

    // Made by the link's channel, the only one that sends on the link.
    explicit ReplyTracker(Link &link, QObject *parent = nullptr);
    // Messages sent (whole VISCA messages, one or more): their number,
    // which answered() names. The answers of a `quiet` message (the
    // program's own inquiries) are left out of to_log().
    quint64 sent(const QByteArray &bytes, bool quiet = false);
    // `message` went unanswered for long enough to count as lost: it, and
    // whatever its camera owes from before it, no longer take the replies
    // of later messages.
    void lost(quint64 message);
    // Whether the camera at `address` has answered anything since the link
    // opened: only then are its answers to be waited for. On a chain, the
    // line's other cameras answering says nothing of this one.
    bool answering(int address) const { return heard_addresses.contains(address); }
    // Whether an answer may still come: the camera answers, or the first
    // message since the link opened is younger than `first_answer_ms`.
    bool may_answer() const;
    static constexpr int first_answer_ms = visca::reply_ms;
    // Messages still waiting for their first reply.
    int waiting() const { return int(first_replies.size()); }

signals:
    void answered(quint64 message, ReplyOutcome outcome, const QByteArray &reply);
    // What the link received, less the answers to quiet messages: what the
    // log shows.
    void to_log(const QList<QByteArray> &replies);
    // The camera at `address` (1-7) said something.
    void heard(int address);

private:
    void take(const QList<QByteArray> &replies);
    void drop_first();
    // True when `message` answered a quiet message.
    bool take_reply(const QByteArray &message);
    void forget_lost();
    void start_afresh();

    struct Waiting {
        quint64 message;
        qint64 since_ms;
        // The camera it went to; 0 for none named (a broadcast, typed bytes).
        int address;
    };
    QList<Waiting> first_replies;
    QSet<quint64> quiet;
    QSet<int> heard_addresses;
    // By camera and socket (address * 16 + socket).
    QHash<int, quint64> sockets;
    const Link &carrier;
    PacketCutter cutter;
    QElapsedTimer clock;
    bool heard_anything = false;
    qint64 first_sent_ms = -1;
    quint64 last_message = 0;
};

#endif
