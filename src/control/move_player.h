#ifndef ZARVICK_MOVE_PLAYER_H
#define ZARVICK_MOVE_PLAYER_H

#include "control/move_steps.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class CameraControl;
class Holds;

// Plays a recorded move on one camera: once the camera has arrived at the
// move's start (the Go that the camera sent before play()), each step is
// held or let go as Holds' Input::Play at its time from then, counted from
// that one start so that late steps do not add up. Anything that ends the
// holds' played move (a press, a camera or Mode switch, its link closing)
// ends the play, with the stops Holds sends; so does stop().
class MovePlayer : public QObject
{
    Q_OBJECT

public:
    MovePlayer(Holds &holds, CameraControl &control, QObject *parent = nullptr);

    void play(const QList<MoveStep> &steps);
    void stop();
    bool playing() const { return phase != Phase::Idle; }

signals:
    // The play ended: `whole` when every step went out.
    void ended(bool whole);

private:
    enum class Phase { Idle, Going, Stepping };
    void arrived();
    void next_steps();
    void end(bool whole);

    Holds &holds;
    CameraControl &control;
    QList<MoveStep> steps;
    int next = 0;
    Phase phase = Phase::Idle;
    QElapsedTimer clock;
    QTimer step_timer;
};

#endif
