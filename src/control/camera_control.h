#ifndef ZARVICK_CAMERA_CONTROL_H
#define ZARVICK_CAMERA_CONTROL_H

#include "control/axis.h"
#include "control/drive_retry.h"
#include "control/link_channel.h"
#include "control/stop_confirmation.h"
#include "visca/camera_commands.h"
#include "visca/positions.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <utility>

// The operations on one camera: drives, stops, Home, presets, moves to kept
// positions. Each goes on the channel and to the VISCA address that
// `current_target` names at that moment (the link the camera's PTZ Mode
// chooses) and does nothing when it names none (no link open), in the
// link's camera lane. A command that did not go out is told by `failed`.
// A stop goes out only for a drive that was sent and not stopped yet, on
// the channel and to the address the drive went to (the Mode may have
// changed since), and is sent again until the camera confirms it (see
// StopConfirmation). A held drive the camera did not answer goes again
// while it is held (see DriveRetry).
class CameraControl : public QObject
{
    Q_OBJECT

public:
    // Where the camera's commands go.
    struct Target {
        LinkChannel *channel = nullptr;
        int address = 1;
    };
    using TargetSource = std::function<Target()>;
    // How long the camera gets to switch to manual focus before a focus drive.
    static constexpr int manual_focus_wait_ms = 50;

    explicit CameraControl(TargetSource target_source, QObject *parent = nullptr);

    bool ready() const { return current_target().channel != nullptr; }
    // Whether a drive sent on `link` has not had its stop yet.
    bool drives_on(const Link *link) const
    {
        const auto on = [link](const Target &held) {
            return held.channel && &held.channel->link() == link;
        };
        return link && (on(pan_tilt_held) || on(zoom_held) || on(focus_held));
    }
    // Whether a stop sent still waits for the camera's confirmation.
    bool confirming() const { return confirmation.waiting(); }
    // Where an axis stands: moving by a drive, a Go, a preset or a raw
    // command (or about to: the focus wait); its stop owed to a link that
    // went down (the camera may still be moving); its stop sent and waiting
    // for the camera's confirmation; at rest.
    enum class Motion { driving, owed, stopping, idle };
    Motion motion(Axis axis) const;
    // The link went down with a drive of the camera on it, or a stop not
    // confirmed yet: the camera may still be moving. Its stops (pan-tilt,
    // zoom, focus) are owed there and are the first messages to the camera
    // when the link opens again, confirmed as any stop.
    void link_lost(const Link &link);
    void link_opened(LinkChannel &channel);
    // The camera said something on `channel`: the stops it is owed there
    // (unconfirmed on a link that stayed open, a camera gone silent on the
    // network) go now, first.
    void heard_on(LinkChannel &channel);
    // The speeds are VISCA speeds (pan 01-18h, tilt 01-14h, zoom 0-7).
    void drive(visca::Pan pan, visca::Tilt tilt, int pan_speed, int tilt_speed);
    void stop_pan_tilt();
    void home();
    void zoom(visca::Zoom way, int speed);
    void stop_zoom();
    // Switches the camera to manual focus first; the drive follows after
    // the wait, at the speed (0-7) `speed` gives then (the operator may
    // change it during the wait), and a release during the wait sends its
    // stop after it.
    using SpeedSource = std::function<int()>;
    void focus(visca::Focus way, SpeedSource speed);
    void stop_focus();
    // A stop for every axis, held or not (a raw command, a preset recall
    // or Home may be moving it), each confirmed as any stop.
    void stop_everything();
    // A stop for each axis that may be moving (a drive, a raw movement, a
    // Go or preset not arrived yet), none for an axis at rest.
    void stop_moving();
    // The confirmed stop of one axis, held or not.
    void stop_axis(Axis axis);
    // A raw command sent on `channel` started (or stopped) a movement of
    // `axis`: its stop is owed as a held drive's is, where it went.
    void raw_movement(Axis axis, LinkChannel &channel, bool moving);
    // A raw movement's lease ran out: its stop, unless something else has
    // moved the axis since.
    void end_raw_movement(Axis axis);
    // A kept position: the absolute pan-tilt move at the speeds given (pan
    // in as many digits as the camera's own answers carry), zoom direct,
    // and focus direct after manual focus when the position has a focus.
    // Each axis then counts as driven until the camera completes its move
    // (nothing then owes a stop) or its stop.
    void go_to(const visca::PanTilt &to, int zoom, std::optional<int> focus, int pan_speed,
               int tilt_speed);
    // Whether a Go's move of some axis has not been completed yet.
    bool moving() const { return underway != 0; }
    // A quick preset button: the number as written in decimal.
    void preset(bool store, int number);
    // The preset field: false when its text is no preset number (0-254).
    bool preset_from_field(bool store, const QString &field);

signals:
    void failed(SendResult result, const QString &reason);
    // A stop was sent as often as it may be, and the camera never took it.
    void stop_unconfirmed();
    // The camera completed the last axis of a Go (none was stopped first).
    void arrived();

private:
    // The stop's bytes for the address its drive went to.
    using StopBytes = QByteArray (*)(int address);
    static StopBytes stop_bytes_of(Axis axis);
    bool send_to(LinkChannel *channel, const QByteArray &bytes, quint64 *message = nullptr,
                 const QString &text = QString());
    // The held drive's stop, to the link and camera its drive went to.
    void stop(Target &held, StopBytes bytes, Axis axis);
    // A new movement of `axis` on the active camera.
    Target hold_start(Axis axis);
    void focus_wait_over();
    void forget_stops();
    // A Go's move of `axis`, held until the camera completes it.
    void send_move(Target &held, Axis axis, const QByteArray &bytes);
    const Target &held_of(Axis axis) const;
    Target &held_of(Axis axis) { return const_cast<Target &>(std::as_const(*this).held_of(axis)); }
    void owe(const Target &target);

    // Sends a held drive's again, or a stop's.
    bool send_again(LinkChannel &channel, const QByteArray &bytes, quint64 *message);
    // The drive of `axis` to `held`, sent again while held and unanswered.
    void send_drive(const Target &held, Axis axis, const QByteArray &bytes);

    TargetSource current_target;
    StopConfirmation confirmation;
    DriveRetry retry;
    QTimer focus_wait;
    visca::Focus focus_way = visca::Focus::far;
    SpeedSource focus_speed;
    bool stop_after_focus_drive = false;
    // Where stops are owed, since a link went down under a drive.
    QList<Target> owed;
    // Where each held drive went; no link when not held.
    Target pan_tilt_held;
    Target zoom_held;
    Target focus_held;
    // The Go's move each axis waits the completion of.
    std::array<QMetaObject::Connection, 3> arrival;
    // The axes whose Go's move waits its completion, a bit each.
    unsigned underway = 0;
    // Axes a raw command set moving, not taken over since.
    unsigned raw_axes = 0;
};

#endif
