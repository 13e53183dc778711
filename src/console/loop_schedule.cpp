#include "console/loop_schedule.h"

#include <algorithm>

namespace {
const qint64 millisecond = 1000000;
const qint64 most_lateness = 5 * millisecond;
} // namespace

void LoopSchedule::start(qint64 now, int interval_ms)
{
    due = now + interval_ms * millisecond;
    asked_wake = due;
}

void LoopSchedule::woke(qint64 now)
{
    const qint64 late = std::clamp(now - asked_wake, qint64(0), most_lateness);
    lateness = (3 * lateness + late) / 4;
}

int LoopSchedule::next_wait_ms(qint64 now, int interval_ms, bool held)
{
    const qint64 interval = interval_ms * millisecond;
    due += interval;
    if (due < now)
        due = held ? now : now + interval;
    const qint64 wait = std::max(qint64(0), due - now - lateness) / millisecond;
    asked_wake = now + wait * millisecond;
    return int(wait);
}
