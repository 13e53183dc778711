#ifndef ZARVICK_CAMERA_CONTROL_H
#define ZARVICK_CAMERA_CONTROL_H

#include "control/command_sender.h"
#include "control/stop_confirmation.h"
#include "visca/camera_commands.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class Link;

// The control panel's operations on the camera at `address`. Each goes to the link that
// `current_link` names at that moment and does nothing when it names none
// (no link open for the chosen mode), in the link's camera lane. Sent
// commands come out of the sender's `sent`; a command that did not go out,
// of `failed` here. A stop goes out only for a drive that was sent and not
// stopped yet, to the link the drive went to, and is sent again until the
// camera confirms it (see StopConfirmation).
class CameraControl : public QObject
{
    Q_OBJECT

public:
    using LinkSource = std::function<Link *()>;
    // How long the camera gets to switch to manual focus before a focus drive.
    static constexpr int manual_focus_wait_ms = 50;

    CameraControl(CommandSender &command_sender, LinkSource link_source, QObject *parent = nullptr);

    bool ready() const { return current_link() != nullptr; }
    // Whether a drive sent on `link` has not had its stop yet.
    bool drives_on(const Link *link) const
    {
        return link && (pan_tilt_held == link || zoom_held == link || focus_held == link);
    }
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
    // A quick preset button: the number as written in decimal.
    void preset(bool store, int number);
    // The preset field: false when its text is no preset number (0-254).
    bool preset_from_field(bool store, const QString &field);

signals:
    void failed(SendResult result, const QString &reason);
    // A stop was sent as often as it may be, and the camera never took it.
    void stop_unconfirmed();

private:
    enum Axis { pan_tilt_axis, zoom_axis, focus_axis };
    void send(const QByteArray &bytes, const QString &text = QString());
    bool send_to(Link *link, const QByteArray &bytes, quint64 *message = nullptr,
                 const QString &text = QString());
    // The held drive's stop, to the link its drive went to.
    void stop(Link *&held, const QByteArray &bytes, Axis axis);
    void focus_wait_over();
    void forget_stops();

    CommandSender &sender;
    LinkSource current_link;
    StopConfirmation confirmation;
    // The camera's VISCA address; the chain's first camera until the
    // window drives several.
    int address = 1;
    QTimer focus_wait;
    visca::Focus focus_way = visca::Focus::far;
    SpeedSource focus_speed;
    bool stop_after_focus_drive = false;
    // The link each held drive went to; none when not held.
    Link *pan_tilt_held = nullptr;
    Link *zoom_held = nullptr;
    Link *focus_held = nullptr;
};

#endif
