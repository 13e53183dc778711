#ifndef ZARVICK_LINK_CHANNEL_H
#define ZARVICK_LINK_CHANNEL_H

#include "control/reply_tracker.h"
#include "links/link.h"

#include <QMetaType>
#include <QObject>
#include <QString>

// What became of a message handed to a link.
enum class SendResult {
    Sent,        // the link took every byte
    BadText,     // the text does not convert to whole VISCA messages; nothing was written
    WriteFailed, // the link did not take the bytes (see the link's errorText())
    NotReading,  // the camera stopped reading: the link holds all it may unsent
    Backlogged,  // the camera is still not reading, as the first refusal said
};

Q_DECLARE_METATYPE(SendResult)

// The one way onto a link: every message the program writes goes through
// its channel, which numbers it for the replies to come (its reply tracker
// is the link's only one) and announces it to the log, unless it is quiet
// (the program's own inquiries). Only a message the link took is
// announced, so the log never claims a send that did not happen.
class LinkChannel : public QObject
{
    Q_OBJECT

public:
    struct Message {
        Link::Lane lane = Link::Lane::Console;
        // Left out of the log, and so are its answers.
        bool quiet = false;
        // What the log shows; the bytes in hex when empty.
        QString text;
    };

    explicit LinkChannel(Link &link, QObject *parent = nullptr);
    Link &link() const { return carrier; }
    bool isOpen() const { return carrier.isOpen(); }
    // `number`, when given, gets the number that answered() names.
    SendResult send(const QByteArray &bytes, const Message &message, quint64 *number = nullptr);
    // A command text the operator typed, whole VISCA messages or nothing.
    SendResult send_text(const QString &text, Link::Lane lane, quint64 *number = nullptr);

    // Takes the replies that arrived and wait to be read, now: a timer
    // about to act on a silence must not miss the reply it waits for.
    void catch_up() { tracker.catch_up(); }
    // The tracker's view: see ReplyTracker.
    void lost(quint64 message) { tracker.lost(message); }
    bool answering(int address) const { return tracker.answering(address); }
    bool may_answer() const { return tracker.may_answer(); }
    int reply_time_ms(int address) const { return tracker.reply_time_ms(address); }

signals:
    // A message went out that the log shows, as it shows it.
    void announced(const QByteArray &bytes, const QString &text);
    // Messages to these cameras went out: they now owe an answer.
    void asked(const QList<int> &addresses);
    void answered(quint64 message, ReplyOutcome outcome, const QByteArray &reply);
    void to_log(const QList<LoggedReply> &replies);
    void heard(int address);

private:
    Link &carrier;
    ReplyTracker tracker;
};

#endif
