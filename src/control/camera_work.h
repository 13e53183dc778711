#ifndef ZARVICK_CAMERA_WORK_H
#define ZARVICK_CAMERA_WORK_H

#include "control/position_poller.h"

#include <QObject>
#include <QString>
#include <functional>

class Camera;
class Cameras;

// What a camera does with the positions it is asked for: keep where it is,
// go to a kept position, record a move from where it is, play one from
// there. Each asks the camera where it is first (Go and Play carry pan in
// the digits of the camera's own answers) and acts when it answers, on the
// camera asked even when the list changed meanwhile. Whatever asks (a panel,
// a key, the outside interfaces) only hears how it went.
class CameraWork : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        done,
        // The camera did not say where it is: nothing was done.
        silent,
        // The camera keeps as many as it may.
        full,
        // The kept position or move does not read (a hand-edited file).
        unreadable,
        // Nothing went out (no link open, a move that does not read).
        not_sent,
        // The camera is gone from the list, or is no longer the active one
        // for what only the active one does.
        gone,
    };
    using Done = std::function<void(Outcome)>;

    CameraWork(Cameras &cameras, PositionPoller &poller, QObject *parent = nullptr);
    // A kept position named after `words` ("Position %1"), the number after
    // the highest given; auto focus keeps no focus.
    void keep(Camera &camera, const QString &words, const Done &done);
    // The camera to its kept position `row`; `only_active`: only while it
    // is the active camera (the operator's Go, not a remote one).
    void go_to(Camera &camera, int row, bool only_active, const Done &done);
    // A move recorded from where the camera is, named after `words`; its
    // recording ends with stop_recording() on the camera. The active camera only.
    void record(Camera &camera, const QString &words, const Done &done);
    void play(Camera &camera, int move, const Done &done);

private:
    // The camera's position, for `act` while the camera is still listed
    // (and active, where `only_active`).
    void ask(Camera &camera, bool only_active, const Done &done,
             const std::function<void(Camera &, const PositionPoller::Position &)> &act);

    Cameras &cameras;
    PositionPoller &poller;
};

#endif
