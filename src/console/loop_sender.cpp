#include "console/loop_sender.h"

#include "console/console_text.h"

#include <utility>

LoopSender::LoopSender(std::function<QString()> interval_text, QObject *parent)
    : QObject(parent), interval_field(std::move(interval_text))
{
    // A coarse timer may fire 5 % late, and each tick restarts it: the loop
    // would drift well below its rate.
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &LoopSender::tick);
}

void LoopSender::start(const QStringList &entries, int interval, bool held_first)
{
    rotation = entries;
    interval_ms = interval;
    clock.start();
    // Due now: the first tick one interval from here.
    schedule.start(clock.nsecsElapsed(), 0);
    held = held_first;
    if (!held)
        schedule_next();
}

void LoopSender::stop()
{
    timer.stop();
    rotation.clear();
    ticking = false;
    held = false;
}

void LoopSender::release()
{
    if (std::exchange(held, false))
        schedule_next(true);
}

void LoopSender::tick()
{
    schedule.woke(clock.nsecsElapsed());
    if (rotation.isEmpty())
        return;
    const QString text = rotation.takeFirst();
    rotation.append(text);
    // The loop counts as running while the text is sent: a message box opened for it
    // must still find a loop to stop.
    ticking = true;
    emit due(text);
    if (!ticking)
        return;
    ticking = false;
    if (!held)
        schedule_next();
}

void LoopSender::schedule_next(bool after_hold)
{
    const QString field = interval_field();
    if (check_interval(field) == IntervalCheck::Accepted)
        interval_ms = field.toInt(nullptr, 10);
    timer.start(schedule.next_wait_ms(clock.nsecsElapsed(), interval_ms, after_hold));
}
