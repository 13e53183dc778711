#ifndef ZARVICK_LOOP_SCHEDULE_H
#define ZARVICK_LOOP_SCHEDULE_H

#include <QtGlobal>

// Keeps loop ticks one interval apart. The loop timer is restarted at the
// end of every tick (it stays stopped while a tick, or a message box the
// tick opened, runs), and the event loop wakes a timer a millisecond or two
// later than asked: with a plain wait of one interval both would slow the
// loop down. Here the next tick is due one interval after the previous one
// was due, and the wait is shortened by the lateness seen so far. After a
// hold-up longer than an interval the schedule starts afresh rather than
// catching up with a burst of ticks. Times are nanoseconds on a steady clock.
class LoopSchedule
{
public:
    void start(qint64 now, int interval_ms);
    // A tick begins: learns how late the timer woke.
    void woke(qint64 now);
    // The tick is done: how long to set the timer for, in milliseconds.
    // `held` when the tick waited for the camera beyond its interval: the
    // next one is due at once then, not one more interval later.
    int next_wait_ms(qint64 now, int interval_ms, bool held = false);

private:
    qint64 due = 0;
    qint64 asked_wake = 0;
    qint64 lateness = 0;
};

#endif
