#include "control/camera_control.h"

#include "visca/command_text.h"

#include <algorithm>
#include <utility>

CameraControl::CameraControl(TargetSource target_source, QObject *parent)
    : QObject(parent), current_target(std::move(target_source)),
      confirmation([this](LinkChannel &channel, const QByteArray &bytes, quint64 *message) {
          return send_again(channel, bytes, message);
      }),
      retry([this](LinkChannel &channel, const QByteArray &bytes, quint64 *message) {
          return send_again(channel, bytes, message);
      })
{
    connect(&confirmation, &StopConfirmation::unconfirmed, this,
            [this](LinkChannel *channel, int address, bool silent) {
                if (silent)
                    owe({channel, address});
                emit stop_unconfirmed();
            });
    focus_wait.setSingleShot(true);
    // A coarse timer may fire early, before the camera is in manual focus.
    focus_wait.setTimerType(Qt::PreciseTimer);
    focus_wait.setInterval(manual_focus_wait_ms);
    connect(&focus_wait, &QTimer::timeout, this, &CameraControl::focus_wait_over);
}

bool CameraControl::send_to(LinkChannel *channel, const QByteArray &bytes, quint64 *message,
                            const QString &text)
{
    if (!channel || !channel->isOpen())
        return false;
    const SendResult result = channel->send(bytes, {Link::Lane::Camera, false, text}, message);
    if (result != SendResult::Sent)
        emit failed(result, channel->link().errorText());
    return result == SendResult::Sent;
}

bool CameraControl::send_again(LinkChannel &channel, const QByteArray &bytes, quint64 *message)
{
    return send_to(&channel, bytes, message);
}

void CameraControl::send_drive(const Target &held, Axis axis, const QByteArray &bytes)
{
    // Sending may lose the link on the spot (a write to a device gone): the
    // drive then ends, and `held` is cleared, before the send returns.
    const Target target = held;
    quint64 message = 0;
    if (send_to(target.channel, bytes, &message) && held.channel == target.channel)
        retry.sent(axis, *target.channel, target.address, bytes, message);
}

const CameraControl::Target &CameraControl::held_of(Axis axis) const
{
    switch (axis) {
    case Axis::PanTilt: break;
    case Axis::Zoom: return zoom_held;
    case Axis::Focus: return focus_held;
    }
    return pan_tilt_held;
}

void CameraControl::send_move(Target &held, Axis axis, const QByteArray &bytes)
{
    const Target target = held;
    quint64 message = 0;
    // The link may be lost within the send, ending the move at once.
    if (!send_to(target.channel, bytes, &message) || held.channel != target.channel)
        return;
    // A move lost on the way goes again, as a held drive does.
    retry.sent(axis, *target.channel, target.address, bytes, message);
    underway |= 1U << unsigned(axis);
    arrival.at(std::size_t(axis)) =
        connect(target.channel, &LinkChannel::answered, this,
                [this, axis, message](quint64 answered, ReplyOutcome outcome) {
                    if (answered != message || outcome != ReplyOutcome::Completed)
                        return;
                    // Arrived: the axis is at rest, no stop is owed.
                    disconnect(arrival.at(std::size_t(axis)));
                    held_of(axis) = Target();
                    underway &= ~(1U << unsigned(axis));
                    if (underway == 0)
                        emit arrived();
                });
}

CameraControl::Target CameraControl::hold_start(Axis axis)
{
    const Target target = current_target();
    // Stops still owed there go before the new movement, not after it.
    if (target.channel)
        link_opened(*target.channel);
    confirmation.forget(axis, target.channel, target.address);
    retry.ended(axis);
    disconnect(arrival.at(std::size_t(axis)));
    underway &= ~(1U << unsigned(axis));
    raw_axes &= ~(1U << unsigned(axis));
    return target;
}

void CameraControl::stop(Target &held, StopBytes bytes, Axis axis)
{
    retry.ended(axis);
    disconnect(arrival.at(std::size_t(axis)));
    underway &= ~(1U << unsigned(axis));
    raw_axes &= ~(1U << unsigned(axis));
    const Target target = std::exchange(held, Target());
    const QByteArray stop_bytes = bytes(target.address);
    quint64 message = 0;
    if (send_to(target.channel, stop_bytes, &message))
        confirmation.sent(axis, *target.channel, target.address, stop_bytes, message);
}

void CameraControl::drive(visca::Pan pan, visca::Tilt tilt, int pan_speed, int tilt_speed)
{
    if (!ready())
        return;
    pan_tilt_held = hold_start(Axis::PanTilt);
    send_drive(pan_tilt_held, Axis::PanTilt,
               visca::pan_tilt_drive(pan_tilt_held.address, pan, tilt, pan_speed, tilt_speed));
}

void CameraControl::stop_pan_tilt() { stop(pan_tilt_held, visca::pan_tilt_stop, Axis::PanTilt); }

void CameraControl::home()
{
    if (!ready())
        return;
    const Target target = hold_start(Axis::PanTilt);
    send_to(target.channel, visca::pan_tilt_home(target.address));
}

void CameraControl::zoom(visca::Zoom way, int speed)
{
    if (!ready())
        return;
    zoom_held = hold_start(Axis::Zoom);
    send_drive(zoom_held, Axis::Zoom, visca::zoom(zoom_held.address, way, speed));
}

void CameraControl::stop_zoom() { stop(zoom_held, visca::zoom_stop, Axis::Zoom); }

void CameraControl::focus(visca::Focus way, SpeedSource speed)
{
    if (!ready())
        return;
    focus_held = hold_start(Axis::Focus);
    send_to(focus_held.channel, visca::focus_manual(focus_held.address));
    focus_way = way;
    focus_speed = std::move(speed);
    stop_after_focus_drive = false;
    focus_wait.start();
}

void CameraControl::focus_wait_over()
{
    // The link may have closed during the wait: then nothing goes out.
    send_drive(focus_held, Axis::Focus, visca::focus(focus_held.address, focus_way, focus_speed()));
    if (std::exchange(stop_after_focus_drive, false))
        stop(focus_held, visca::focus_stop, Axis::Focus);
}

void CameraControl::stop_focus()
{
    if (!focus_held.channel)
        return;
    // A stop sent now would overtake the drive still waiting.
    if (focus_wait.isActive())
        stop_after_focus_drive = true;
    else
        stop(focus_held, visca::focus_stop, Axis::Focus);
}

CameraControl::StopBytes CameraControl::stop_bytes_of(Axis axis)
{
    switch (axis) {
    case Axis::PanTilt: break;
    case Axis::Zoom: return visca::zoom_stop;
    case Axis::Focus: return visca::focus_stop;
    }
    return visca::pan_tilt_stop;
}

void CameraControl::stop_axis(Axis axis)
{
    if (axis == Axis::Focus) {
        focus_wait.stop();
        stop_after_focus_drive = false;
    }
    Target &held = held_of(axis);
    if (!held.channel)
        held = current_target();
    stop(held, stop_bytes_of(axis), axis);
}

void CameraControl::stop_everything()
{
    for (Axis axis : every_axis)
        stop_axis(axis);
}

CameraControl::Motion CameraControl::motion(Axis axis) const
{
    const bool driven = held_of(axis).channel || (underway & (1U << unsigned(axis))) ||
                        (axis == Axis::Focus && focus_wait.isActive());
    if (driven)
        return Motion::driving;
    if (!owed.isEmpty())
        return Motion::owed;
    return confirmation.waiting(axis) ? Motion::stopping : Motion::idle;
}

void CameraControl::stop_moving()
{
    for (Axis axis : every_axis) {
        if (motion(axis) == Motion::driving)
            stop_axis(axis);
    }
}

void CameraControl::raw_movement(Axis axis, LinkChannel &channel, bool moving)
{
    const int address = current_target().address;
    hold_start(axis);
    held_of(axis) = moving ? Target{&channel, address} : Target();
    if (moving)
        raw_axes |= 1U << unsigned(axis);
}

void CameraControl::end_raw_movement(Axis axis)
{
    // Anything that moved the axis since (a drive, a Go) took it over: its
    // own end stops it, not this one.
    if (raw_axes & (1U << unsigned(axis)))
        stop_axis(axis);
}

void CameraControl::go_to(const visca::PanTilt &to, int zoom, std::optional<int> focus,
                          int pan_speed, int tilt_speed)
{
    // A value the camera's digits cannot carry sends nothing at all.
    const bool fits = !visca::pan_tilt_absolute(1, pan_speed, tilt_speed, to).isEmpty() &&
                      !visca::zoom_direct(1, zoom).isEmpty() &&
                      (!focus || !visca::focus_direct(1, *focus).isEmpty());
    if (!ready() || !fits)
        return;
    pan_tilt_held = hold_start(Axis::PanTilt);
    const int address = pan_tilt_held.address;
    send_move(pan_tilt_held, Axis::PanTilt,
              visca::pan_tilt_absolute(address, pan_speed, tilt_speed, to));
    zoom_held = hold_start(Axis::Zoom);
    send_move(zoom_held, Axis::Zoom, visca::zoom_direct(address, zoom));
    if (!focus)
        return;
    focus_held = hold_start(Axis::Focus);
    send_to(focus_held.channel, visca::focus_manual(address));
    send_move(focus_held, Axis::Focus, visca::focus_direct(address, *focus));
}

void CameraControl::preset(bool store, int number)
{
    if (!store)
        forget_stops();
    // The quick buttons have always logged their number as written, one
    // decimal digit ("81 01 04 3F 02 5 FF"); the bytes are the same.
    const Target target = current_target();
    const QByteArray bytes = visca::preset(target.address, store, number);
    send_to(target.channel, bytes, nullptr,
            spaced_hex(bytes.left(5)) + ' ' + QString::number(number, 10) + " FF");
}

bool CameraControl::preset_from_field(bool store, const QString &field)
{
    bool ok = false;
    const int number = field.toInt(&ok, 10);
    // An empty or mistyped field must not reach preset 0 (on air).
    if (!ok || number < 0 || number > 254)
        return false;
    if (!store)
        forget_stops();
    const Target target = current_target();
    send_to(target.channel, visca::preset(target.address, store, number));
    return true;
}

void CameraControl::forget_stops()
{
    // A recalled preset moves every axis.
    for (Axis axis : every_axis)
        hold_start(axis);
}

void CameraControl::link_lost(const Link &link)
{
    QList<Target> driven;
    for (const Target *held : {&pan_tilt_held, &zoom_held, &focus_held}) {
        if (held->channel && &held->channel->link() == &link)
            driven.append(*held);
    }
    for (const auto &[channel, address] : confirmation.waiting_on(link))
        driven.append({channel, address});
    for (const Target &target : driven)
        owe(target);
}

void CameraControl::owe(const Target &target)
{
    const bool known = std::any_of(owed.begin(), owed.end(), [&](const Target &other) {
        return other.channel == target.channel && other.address == target.address;
    });
    if (!known && target.channel)
        owed.append(target);
}

void CameraControl::heard_on(LinkChannel &channel) { link_opened(channel); }

void CameraControl::link_opened(LinkChannel &channel)
{
    for (int i = 0; i < owed.size();) {
        const Target target = owed.at(i);
        if (target.channel != &channel) {
            ++i;
            continue;
        }
        owed.removeAt(i);
        const std::pair<Axis, StopBytes> stops[] = {{Axis::PanTilt, visca::pan_tilt_stop},
                                                    {Axis::Zoom, visca::zoom_stop},
                                                    {Axis::Focus, visca::focus_stop}};
        for (const auto &[axis, bytes] : stops) {
            const QByteArray stop_bytes = bytes(target.address);
            quint64 message = 0;
            if (send_to(&channel, stop_bytes, &message))
                confirmation.sent(axis, channel, target.address, stop_bytes, message);
        }
    }
}
