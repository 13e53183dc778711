#include "control/move_player.h"

#include "control/camera_control.h"
#include "control/holds.h"

MovePlayer::MovePlayer(Holds &camera_holds, CameraControl &camera, QObject *parent)
    : QObject(parent), holds(camera_holds), control(camera)
{
    step_timer.setSingleShot(true);
    step_timer.setTimerType(Qt::PreciseTimer);
    connect(&step_timer, &QTimer::timeout, this, &MovePlayer::next_steps);
    connect(&control, &CameraControl::arrived, this, &MovePlayer::arrived);
    connect(&holds, &Holds::move_ended, this, [this] {
        if (playing())
            end(false);
    });
}

void MovePlayer::play(const QList<MoveStep> &move)
{
    // The Go to the start is the camera's; nothing went out without a link.
    if (!control.moving())
        return;
    steps = move;
    next = 0;
    phase = Phase::Going;
    holds.play_started();
}

void MovePlayer::arrived()
{
    if (phase != Phase::Going)
        return;
    phase = Phase::Stepping;
    clock.start();
    next_steps();
}

void MovePlayer::next_steps()
{
    const qint64 now = clock.elapsed();
    while (phase == Phase::Stepping && next < steps.size() && steps.at(next).at_ms <= now) {
        const MoveStep &step = steps.at(next++);
        if (step.way.isNull())
            holds.let_go(HoldOwner::Input::Play, int(step.axis));
        else
            holds.hold(HoldOwner::Input::Play, int(step.axis),
                       {step.axis, step.way, step.speed, true});
    }
    if (phase != Phase::Stepping)
        return;
    if (next < steps.size())
        step_timer.start(int(steps.at(next).at_ms - now));
    else
        end(true);
}

void MovePlayer::stop()
{
    // As a press would: one stop an axis the move drives.
    if (playing())
        holds.end_all();
}

void MovePlayer::end(bool whole)
{
    phase = Phase::Idle;
    step_timer.stop();
    steps.clear();
    // Whatever the move still held gets its stop.
    holds.play_over();
    emit ended(whole);
}
