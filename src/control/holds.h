#ifndef ZARVICK_HOLDS_H
#define ZARVICK_HOLDS_H

#include "control/axis.h"
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class CameraControl;

// What the inputs (the pad's buttons, the keys, a game controller) report
// to: "this input holds that drive", "this input let go". Each camera has
// its own holds (Holds); the inputs of the window report to the active
// camera's.
class HoldOwner : public QObject
{
    Q_OBJECT

public:
    using Axis = ::Axis;
    // Play: a recorded move played back (MovePlayer); Remote: a drive from
    // outside (HTTP, OSC) held for its lease (RemoteCommands). Neither is a
    // hand on the window: nothing of the window can lose its release.
    enum class Input { Buttons, Keys, Pad, Play, Remote };
    // A drive: for pan-tilt a direction (x -1 left, 1 right; y -1 up,
    // 1 down), for zoom and focus x only (1 tele / near, -1 wide / far).
    // Its speed (pan and tilt, or zoom in x) is the camera's chosen speed
    // unless the input chose one (a stick's deflection). A played move's
    // drive is as the camera took it: its way and speed go out as they are.
    struct Drive {
        Axis axis;
        QPoint way;
        std::optional<QPoint> speed = std::nullopt;
        bool as_camera_took_it = false;
        bool operator==(const Drive &other) const
        {
            return axis == other.axis && way == other.way && speed == other.speed &&
                   as_camera_took_it == other.as_camera_took_it;
        }
        bool operator!=(const Drive &other) const { return !(*this == other); }
    };

    using QObject::QObject;
    // `id` tells the holds of one input apart (a key, a button).
    virtual void hold(Input input, int id, Drive drive) = 0;
    virtual void let_go(Input input, int id) = 0;
    // Every hold ends, as if each input let go (a message box, a popup).
    virtual void lose_all() = 0;
    virtual bool holding(Input input, int id) const = 0;
    // Whether `input` asks for `drive` now (for drawing its button down).
    virtual bool holds(Input input, Drive drive) const = 0;
    // Whether a drive would go out now: a link is open for the camera.
    virtual bool can_drive() const = 0;

signals:
    void changed();
    // Every hold was ended by something other than its input's release.
    void taken_away();
    // What the camera was told: the drive's way and speeds as it takes
    // them (a null way for the axis's stop).
    void drove(Axis axis, QPoint way, QPoint speed);
    // A Go or a played move was ended before its end: by a press, a camera
    // or Mode switch, its link closing.
    void move_ended();
};

// One camera's holds: what its inputs hold, and what the camera must do.
//
// Invariant: every drive sent on a link gets one stop on that link,
// repeated only until the camera confirms it (CameraControl); when no input
// holds a drive of an axis (pan-tilt, zoom, focus), the camera has been
// sent that axis's stop. Anything that can swallow a
// release (a message box, a popup, focus moving into a text field, a tab or Mode
// change, the window deactivated) calls lose_all() first, and a link that
// closes or is lost ends the drives that went on it (Camera); the releases
// that come afterwards find nothing held. The camera ends them all on a
// Mode change (end_all); a camera switch ends the hands' (end_hands).
//
// Several inputs may hold drives of one axis: the camera follows the input
// that took hold most recently of those still holding. The keys are one
// input whose direction keys add up (up and left drive up-left); within
// another input the newest hold counts. A change of way or speed of what
// the camera follows sends the new drive.
class Holds : public HoldOwner
{
    Q_OBJECT

public:
    // The speeds the operator chose for the camera, read when a drive goes out.
    struct Speeds {
        std::function<int()> pan;
        std::function<int()> tilt;
        std::function<int()> zoom;
        std::function<int()> focus;
        // The camera's way for the picture's (a camera hung upside down
        // turns the other way), and the pan-tilt speeds as the camera
        // takes them (slower when zoomed in); as they are when not given.
        std::function<QPoint(QPoint)> camera_way;
        std::function<QPoint(QPoint)> pan_tilt_speed;
    };

    Holds(CameraControl &camera, Speeds chosen_speeds, QObject *parent = nullptr);

    void hold(Input input, int id, Drive drive) override;
    void let_go(Input input, int id) override;
    void lose_all() override;
    // The camera moves to a kept position: no input holds that move, so no
    // lost release can leave it going; the next press, a Mode switch and
    // its link closing stop it (end_all), once. A camera switch does not.
    void position_move() { moving_to_position = true; }
    // A recorded move plays (its drives held by Input::Play): the holds of
    // the operator's inputs end first, the next press, a Mode switch and
    // its link closing end it, with the stops of its drives (a camera
    // switch does not).
    // A lost release (lose_all) does not: nothing of the operator's holds it.
    void play_started();
    void play_over();
    bool playing() const { return moving_to_play; }
    // Every hold, a move to a kept position and a played move end.
    void end_all();
    // The holds of hands and of remote drives end; a Go or a played move
    // runs on to its end (a camera switch: the camera left goes on to its
    // next shot while the operator sets up another).
    void end_hands();
    bool holding(Input input, int id) const override { return find(input, id) >= 0; }
    bool holds(Input input, Drive drive) const override;
    bool can_drive() const override;

private:
    struct Held {
        Input input;
        int id;
        Drive drive;
        quint64 since;
    };
    int find(Input input, int id) const;
    // What `input` asks of `axis` now: none when it holds nothing there.
    bool asked(Input input, Axis axis, Drive *drive, quint64 *since) const;
    Drive wanted(Axis axis) const;
    void follow(Axis axis);
    void end_position_move();
    // The played move's drives end, each axis with its stop.
    void end_play();
    void send(const Drive &drive);

    CameraControl &control;
    Speeds speeds;
    QList<Held> held;
    quint64 next_since = 0;
    bool moving_to_position = false;
    bool moving_to_play = false;
    // What each axis was last told; a null way when stopped.
    Drive sent[3] = {{Axis::PanTilt, {}}, {Axis::Zoom, {}}, {Axis::Focus, {}}};
};

#endif
