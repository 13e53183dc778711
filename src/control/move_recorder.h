#ifndef ZARVICK_MOVE_RECORDER_H
#define ZARVICK_MOVE_RECORDER_H

#include "control/move_steps.h"

#include <QElapsedTimer>
#include <QObject>

class Holds;

// Takes down what one camera's holds tell it, with the time of each, from
// start() to finish(): the drives of the pad, the keys and the stick and
// their stops. A move that grows past its bounds (most_move_steps,
// longest_move_ms) tells `full` and takes nothing more.
class MoveRecorder : public QObject
{
    Q_OBJECT

public:
    explicit MoveRecorder(Holds &holds, QObject *parent = nullptr);

    void start();
    bool recording() const { return on; }
    // The steps taken down; an axis still driven gets its stop now, so
    // that a played move never leaves the camera going.
    QList<MoveStep> finish();

signals:
    void full();

private:
    void take(Axis axis, QPoint way, QPoint speed);
    int now_ms() const { return int(qMin<qint64>(clock.elapsed(), longest_move_ms)); }

    QElapsedTimer clock;
    QList<MoveStep> steps;
    bool on = false;
};

#endif
