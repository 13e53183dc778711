#ifndef ZARVICK_ANSWER_WAIT_H
#define ZARVICK_ANSWER_WAIT_H

#include "control/link_channel.h"
#include "visca/answer_times.h"

#include <QPointer>
#include <QTimer>

class Link;

// When a console message may be followed by the next: once it has left the
// link and, where a camera on it answers, once its first reply came or
// `wait_ms` passed (a loop's interval runs from the send: see LoopSender). A loop at 0 ms then runs
// as fast as the camera answers, and the camera's lane never finds a pile of loop messages before
// it.
class AnswerWait : public QObject
{
    Q_OBJECT

public:
    static constexpr int wait_ms = visca::reply_ms;

    explicit AnswerWait(QObject *parent = nullptr);
    // `ready` follows once, unless cancelled.
    void start(LinkChannel &channel, quint64 message);
    void cancel();

signals:
    void ready();

private:
    void check();

    QPointer<LinkChannel> channel;
    quint64 message = 0;
    bool answered = false;
    bool waiting = false;
    QTimer limit;
    QMetaObject::Connection answers;
    QMetaObject::Connection drained;
};

#endif
