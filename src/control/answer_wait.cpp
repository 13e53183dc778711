#include "control/answer_wait.h"

#include "links/link.h"

AnswerWait::AnswerWait(QObject *parent) : QObject(parent)
{
    limit.setSingleShot(true);
    limit.setInterval(wait_ms);
    connect(&limit, &QTimer::timeout, this, [this] {
        // Unanswered, it counts as lost: the replies to come are not its.
        if (channel)
            channel->lost(message);
        check();
    });
}

void AnswerWait::start(LinkChannel &on, quint64 sent)
{
    cancel();
    channel = &on;
    message = sent;
    answered = false;
    waiting = true;
    if (on.may_answer()) {
        limit.start();
        answers = connect(&on, &LinkChannel::answered, this,
                          [this](quint64 answered_message, ReplyOutcome) {
                              if (answered_message == message) {
                                  answered = true;
                                  check();
                              }
                          });
    }
    drained = connect(&on.link(), &Link::drained, this, &AnswerWait::check);
    // Later, not from within the send: the caller is still at work.
    QTimer::singleShot(0, this, &AnswerWait::check);
}

void AnswerWait::cancel()
{
    waiting = false;
    limit.stop();
    disconnect(answers);
    disconnect(drained);
}

void AnswerWait::check()
{
    if (!waiting)
        return;
    // A link closed meanwhile holds nothing back: the loop finds it gone.
    const bool link_open = channel && channel->isOpen();
    if (link_open && (channel->link().unsent() > 0 || (limit.isActive() && !answered)))
        return;
    cancel();
    emit ready();
}
