#include "control/holds.h"

#include "control/camera_control.h"
#include "visca/commands.h"

#include <utility>

namespace {
const Holds::Axis axes[] = {Holds::Axis::PanTilt, Holds::Axis::Zoom, Holds::Axis::Focus};

const char *pan_tilt_command(QPoint way)
{
    static const struct {
        QPoint way;
        const char *command;
    } ways[] = {
        {{0, -1}, visca::pan_tilt_up},        {{0, 1}, visca::pan_tilt_down},
        {{-1, 0}, visca::pan_tilt_left},      {{1, 0}, visca::pan_tilt_right},
        {{-1, -1}, visca::pan_tilt_up_left},  {{1, -1}, visca::pan_tilt_up_right},
        {{-1, 1}, visca::pan_tilt_down_left}, {{1, 1}, visca::pan_tilt_down_right},
    };
    for (const auto &entry : ways) {
        if (entry.way == way)
            return entry.command;
    }
    return nullptr;
}
} // namespace

Holds::Holds(CameraControl &camera, Speeds chosen_speeds, QObject *parent)
    : QObject(parent), control(camera), speeds(std::move(chosen_speeds))
{
}

void Holds::hold(Input input, int id, Drive drive)
{
    const int index = find(input, id);
    if (index >= 0 && held[index].drive == drive)
        return; // held already: a repeat
    if (index >= 0 && held[index].drive.axis != drive.axis)
        let_go(input, id);
    else if (index >= 0)
        held.removeAt(index);
    held.append({input, id, drive, ++next_since});
    follow(drive.axis);
}

void Holds::let_go(Input input, int id)
{
    const int index = find(input, id);
    if (index >= 0)
        follow(held.takeAt(index).drive.axis);
}

int Holds::find(Input input, int id) const
{
    for (int i = 0; i < held.size(); ++i) {
        if (held[i].input == input && held[i].id == id)
            return i;
    }
    return -1;
}

void Holds::lose_all()
{
    held.clear();
    for (Axis axis : axes)
        follow(axis);
}

bool Holds::holds(Input input, Drive drive) const
{
    Drive asked_for{drive.axis, {}};
    quint64 since = 0;
    return asked(input, drive.axis, &asked_for, &since) && asked_for.way == drive.way;
}

bool Holds::asked(Input input, Axis axis, Drive *drive, quint64 *since) const
{
    QPoint sum;
    bool any = false;
    for (const Held &entry : held) {
        if (entry.input != input || entry.drive.axis != axis)
            continue;
        // Direction keys add up; of two zoom keys, the later one counts.
        const bool adds_up = input == Input::Keys && axis == Axis::PanTilt;
        sum = adds_up ? sum + entry.drive.way : entry.drive.way;
        drive->speed = entry.drive.speed;
        *since = qMax(*since, entry.since);
        any = true;
    }
    drive->way = {qBound(-1, sum.x(), 1), qBound(-1, sum.y(), 1)};
    return any;
}

Holds::Drive Holds::wanted(Axis axis) const
{
    Drive newest_drive{axis, {}};
    quint64 newest = 0;
    for (Input input : {Input::Buttons, Input::Keys, Input::Pad}) {
        Drive drive{axis, {}};
        quint64 since = 0;
        if (asked(input, axis, &drive, &since) && since > newest) {
            newest = since;
            newest_drive = drive;
        }
    }
    if (newest_drive.way.isNull())
        newest_drive.speed.reset();
    return newest_drive;
}

void Holds::follow(Axis axis)
{
    Drive &told = sent[int(axis)];
    const Drive drive = wanted(axis);
    // Nothing goes out where the buttons would send nothing: no link, or
    // nothing new to say.
    if (drive != told) {
        told = drive;
        send(drive);
    }
    emit changed();
}

void Holds::send(const Drive &drive)
{
    const QPoint way = drive.way;
    switch (drive.axis) {
    case Axis::PanTilt:
        if (way.isNull())
            control.stop_pan_tilt();
        else if (drive.speed)
            control.drive(pan_tilt_command(way), drive.speed->x(), drive.speed->y());
        else
            control.drive(pan_tilt_command(way), speeds.pan(), speeds.tilt());
        break;
    case Axis::Zoom: {
        const char *command = way.x() > 0 ? visca::zoom_tele : visca::zoom_wide;
        if (way.isNull())
            control.stop_zoom();
        else
            control.zoom(command, drive.speed ? QString::number(drive.speed->x()) : speeds.zoom());
        break;
    }
    case Axis::Focus:
        if (way.isNull())
            control.stop_focus();
        else
            control.focus(way.x() > 0 ? visca::focus_near : visca::focus_far, speeds.focus);
        break;
    }
}
