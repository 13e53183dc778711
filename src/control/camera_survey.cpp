#include "control/camera_survey.h"

#include "control/cameras.h"

CameraSurvey::CameraSurvey(Cameras &camera_list, QObject *parent)
    : QObject(parent), cameras(camera_list)
{
    ticker.setInterval(look_ms);
    ticker.callOnTimeout(this, &CameraSurvey::tick);
}

bool CameraSurvey::start(int index)
{
    stop();
    Camera &asked = cameras.camera(index);
    LinkChannel *link = asked.drive_channel();
    if (!link)
        return false;
    camera = &asked;
    name = asked.name();
    channel = link;
    table.clear();
    for (const visca::catalog::Entry &entry : visca::catalog::entries()) {
        if (entry.kind == visca::catalog::Kind::inquiry)
            table << Row{
                &entry, visca::catalog::build(entry, asked.address(), {}), {}, State::waiting};
    }
    next = 0;
    answers = connect(link, &LinkChannel::answered, this,
                      [this](quint64 message, ReplyOutcome outcome, const QByteArray &reply) {
                          take(message, outcome == ReplyOutcome::Failed, reply);
                      });
    ticker.start();
    tick();
    return true;
}

void CameraSurvey::stop()
{
    disconnect(answers);
    waiting = 0;
    if (!ticker.isActive())
        return;
    ticker.stop();
    emit finished();
}

void CameraSurvey::tick()
{
    // The camera left the list, or the link it was asked on went.
    LinkChannel *link = camera ? camera->drive_channel() : nullptr;
    if (!link || link != channel || !link->isOpen()) {
        stop();
        return;
    }
    if (waiting != 0) {
        const bool given_up = since.elapsed() >= answer_ms;
        if (!given_up && sent_at.elapsed() < ask_again_ms)
            return;
        // A late answer finds nothing waiting for it.
        link->lost(waiting);
        if (!given_up)
            send(*link, true);
        else
            settle(State::unanswered, {});
        return;
    }
    if ((busy && busy(link)) || cameras.driving_on(link->link()))
        return;
    ask(*link);
}

void CameraSurvey::ask(LinkChannel &link)
{
    if (next >= table.size()) {
        stop();
        return;
    }
    send(link, false);
}

void CameraSurvey::send(LinkChannel &link, bool again)
{
    quint64 message = 0;
    if (link.send(table.at(next).asked, {Link::Lane::Console, true, {}}, &message) !=
        SendResult::Sent) {
        stop();
        return;
    }
    waiting = message;
    sent_at.start();
    if (!again)
        since.start();
}

void CameraSurvey::take(quint64 message, bool refused, const QByteArray &reply)
{
    if (message != waiting || waiting == 0)
        return;
    settle(refused ? State::refused : State::answered, reply);
    // The next at once rather than at the next tick: a whole survey of a
    // quick camera takes a second, not the ticks' worth.
    if (LinkChannel *link = camera ? camera->drive_channel() : nullptr;
        link && link == channel && !(busy && busy(link)) && !cameras.driving_on(link->link()))
        ask(*link);
}

void CameraSurvey::settle(State state, const QByteArray &answer)
{
    waiting = 0;
    Row &row = table[next];
    row.state = state;
    row.answer = answer;
    emit row_changed(next++);
}
