#include "control/camera_control.h"

#include "links/link.h"
#include "visca/command_text.h"

#include <utility>

CameraControl::CameraControl(CommandSender &command_sender, LinkSource link_source, QObject *parent)
    : QObject(parent), sender(command_sender), current_link(std::move(link_source)),
      confirmation([this](Link &link, const QByteArray &bytes, quint64 *message) {
          return send_to(&link, bytes, message);
      })
{
    connect(&confirmation, &StopConfirmation::unconfirmed, this, &CameraControl::stop_unconfirmed);
    focus_wait.setSingleShot(true);
    // A coarse timer may fire early, before the camera is in manual focus.
    focus_wait.setTimerType(Qt::PreciseTimer);
    focus_wait.setInterval(manual_focus_wait_ms);
    connect(&focus_wait, &QTimer::timeout, this, &CameraControl::focus_wait_over);
}

void CameraControl::send(const QByteArray &bytes, const QString &text)
{
    send_to(current_link(), bytes, nullptr, text);
}

bool CameraControl::send_to(Link *link, const QByteArray &bytes, quint64 *message,
                            const QString &text)
{
    if (!link || !link->isOpen())
        return false;
    const SendResult result = sender.send_bytes(*link, bytes, Link::Lane::Camera, message, text);
    if (result != SendResult::Sent)
        emit failed(result, link->errorText());
    return result == SendResult::Sent;
}

void CameraControl::stop(Link *&held, const QByteArray &bytes, Axis axis)
{
    Link *link = std::exchange(held, nullptr);
    quint64 message = 0;
    if (send_to(link, bytes, &message))
        confirmation.sent(axis, *link, bytes, message);
}

void CameraControl::drive(visca::Pan pan, visca::Tilt tilt, int pan_speed, int tilt_speed)
{
    if (!ready())
        return;
    pan_tilt_held = current_link();
    confirmation.forget(pan_tilt_axis, current_link());
    send(visca::pan_tilt_drive(address, pan, tilt, pan_speed, tilt_speed));
}

void CameraControl::stop_pan_tilt()
{
    stop(pan_tilt_held, visca::pan_tilt_stop(address), pan_tilt_axis);
}

void CameraControl::home()
{
    if (!ready())
        return;
    confirmation.forget(pan_tilt_axis, current_link());
    send(visca::pan_tilt_home(address));
}

void CameraControl::zoom(visca::Zoom way, int speed)
{
    if (!ready())
        return;
    zoom_held = current_link();
    confirmation.forget(zoom_axis, current_link());
    send(visca::zoom(address, way, speed));
}

void CameraControl::stop_zoom() { stop(zoom_held, visca::zoom_stop(address), zoom_axis); }

void CameraControl::focus(visca::Focus way, SpeedSource speed)
{
    if (!ready())
        return;
    focus_held = current_link();
    confirmation.forget(focus_axis, current_link());
    send(visca::focus_manual(address));
    focus_way = way;
    focus_speed = std::move(speed);
    stop_after_focus_drive = false;
    focus_wait.start();
}

void CameraControl::focus_wait_over()
{
    // The link may have closed during the wait: then nothing goes out.
    Link *&link = focus_held;
    send_to(link, visca::focus(address, focus_way, focus_speed()));
    if (std::exchange(stop_after_focus_drive, false))
        stop(link, visca::focus_stop(address), focus_axis);
}

void CameraControl::stop_focus()
{
    if (!focus_held)
        return;
    // A stop sent now would overtake the drive still waiting.
    if (focus_wait.isActive())
        stop_after_focus_drive = true;
    else
        stop(focus_held, visca::focus_stop(address), focus_axis);
}

void CameraControl::preset(bool store, int number)
{
    if (!store)
        forget_stops();
    // The quick buttons have always logged their number as written, one
    // decimal digit ("81 01 04 3F 02 5 FF"); the bytes are the same.
    const QByteArray bytes = visca::preset(address, store, number);
    send(bytes, spaced_hex(bytes.left(5)) + ' ' + QString::number(number, 10) + " FF");
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
    send(visca::preset(address, store, number));
    return true;
}

void CameraControl::forget_stops()
{
    // A recalled preset moves every axis.
    for (int axis = 0; axis < StopConfirmation::axes; ++axis)
        confirmation.forget(axis, current_link());
}
