#include "control/move_recorder.h"

#include "control/holds.h"

MoveRecorder::MoveRecorder(Holds &holds, QObject *parent) : QObject(parent)
{
    connect(&holds, &Holds::drove, this, &MoveRecorder::take);
}

void MoveRecorder::start()
{
    steps.clear();
    clock.start();
    on = true;
}

void MoveRecorder::take(Axis axis, QPoint way, QPoint speed)
{
    if (!on)
        return;
    // Room is kept for the stops that finish() may add, one an axis.
    if (steps.size() + 3 >= most_move_steps || clock.elapsed() >= longest_move_ms) {
        emit full();
        return;
    }
    steps << MoveStep{now_ms(), axis, way, speed};
}

QList<MoveStep> MoveRecorder::finish()
{
    on = false;
    for (Axis axis : every_axis) {
        for (auto step = steps.crbegin(); step != steps.crend(); ++step) {
            if (step->axis != axis)
                continue;
            if (!step->way.isNull())
                steps << MoveStep{now_ms(), axis, {}, {}};
            break;
        }
    }
    return std::exchange(steps, {});
}
