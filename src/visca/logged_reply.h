#ifndef ZARVICK_LOGGED_REPLY_H
#define ZARVICK_LOGGED_REPLY_H

#include <QByteArray>
#include <QList>

// A whole reply among what a read brought, with the message it answers
// and how long after it went (empty and -1 when it answers none known).
struct HeardReply {
    QByteArray reply;
    QByteArray asked;
    qint64 after_ms = -1;
};

// What one read brought, as the log shows it, and the whole replies in it.
struct LoggedReply {
    QByteArray bytes;
    QList<HeardReply> replies;
};

#endif
