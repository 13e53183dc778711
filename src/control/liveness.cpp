#include "control/liveness.h"

#include "control/cameras.h"
#include "visca/camera_commands.h"

Liveness::Liveness(Cameras &camera_list, QObject *parent) : QObject(parent), cameras(camera_list)
{
    setObjectName(QStringLiteral("liveness"));
    ticker.callOnTimeout(this, &Liveness::tick);
    set_every_ms(every_ms);
}

void Liveness::set_every_ms(int interval)
{
    interval_ms = interval;
    // Looked at four times an interval: a camera falls due between ticks.
    ticker.start(std::max(1, interval / 4));
}

void Liveness::ask_now(Camera &camera) { ask(camera, true); }

void Liveness::tick()
{
    // Cameras removed since leave their entries behind.
    for (auto entry = asked.begin(); entry != asked.end();) {
        if (cameras.index_of(*entry->first) < 0) {
            disconnect(entry->second.answer);
            entry = asked.erase(entry);
        } else {
            ++entry;
        }
    }
    for (int index = 0; index < cameras.count(); ++index)
        ask(cameras.camera(index), false);
}

void Liveness::ask(Camera &camera, bool at_once)
{
    LinkChannel *channel = camera.drive_channel();
    Asked &question = asked[&camera];
    // One question at a time: the last goes on waiting for as long as any
    // message does, on the link it went on.
    const bool waiting = question.message != 0 && question.channel == channel &&
                         question.since.elapsed() < visca::silence_ms;
    if (!channel || waiting)
        return;
    if (!at_once && (camera.quiet_for_ms() < interval_ms || (busy && busy(channel)) ||
                     cameras.driving_on(channel->link())))
        return;
    disconnect(question.answer);
    question = Asked();
    quint64 message = 0;
    if (channel->send(visca::power_inquiry(camera.address()), {Link::Lane::Console, true, {}},
                      &message) != SendResult::Sent)
        return;
    question.channel = channel;
    question.message = message;
    question.since.start();
    question.answer = connect(channel, &LinkChannel::answered, this,
                              [this, &question, message](quint64 answered) {
                                  if (answered != message)
                                      return;
                                  disconnect(question.answer);
                                  question.message = 0;
                              });
}
