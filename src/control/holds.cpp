#include "control/holds.h"

#include "control/camera_control.h"

#include <algorithm>
#include <utility>

namespace {

// A pan-tilt way (x -1 left, 1 right; y -1 up, 1 down) in VISCA's terms.
visca::Pan pan_of(QPoint way)
{
    if (way.x() == 0)
        return visca::Pan::still;
    return way.x() < 0 ? visca::Pan::left : visca::Pan::right;
}

visca::Tilt tilt_of(QPoint way)
{
    if (way.y() == 0)
        return visca::Tilt::still;
    return way.y() < 0 ? visca::Tilt::up : visca::Tilt::down;
}

} // namespace

Holds::Holds(CameraControl &camera, Speeds chosen_speeds, QObject *parent)
    : HoldOwner(parent), control(camera), speeds(std::move(chosen_speeds))
{
}

void Holds::hold(Input input, int id, Drive drive)
{
    // A played move drives only once its Go has arrived: nothing to stop.
    if (input == Input::Play)
        moving_to_position = false;
    else {
        end_play();
        end_position_move();
    }
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

void Holds::end_position_move()
{
    // Each axis of the move gets its one stop; nothing resumes the move.
    if (!std::exchange(moving_to_position, false))
        return;
    control.stop_pan_tilt();
    control.stop_zoom();
    control.stop_focus();
    emit move_ended();
}

void Holds::play_started() { moving_to_play = true; }

void Holds::play_over()
{
    moving_to_play = false;
    for (Axis axis : every_axis)
        let_go(Input::Play, int(axis));
}

void Holds::end_play()
{
    if (!moving_to_play)
        return;
    play_over();
    emit move_ended();
}

void Holds::end_all()
{
    end_position_move();
    end_play();
    end_hands();
}

void Holds::end_hands()
{
    // The remote drives end too; their lease finds nothing held.
    held.erase(std::remove_if(held.begin(), held.end(),
                              [](const Held &entry) { return entry.input == Input::Remote; }),
               held.end());
    lose_all();
}

void Holds::lose_all()
{
    // A played move and a remote drive have no release the window could lose.
    held.erase(std::remove_if(held.begin(), held.end(),
                              [](const Held &entry) {
                                  return entry.input != Input::Play && entry.input != Input::Remote;
                              }),
               held.end());
    emit taken_away();
    for (Axis axis : every_axis)
        follow(axis);
}

bool Holds::can_drive() const { return control.ready(); }

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
        drive->as_camera_took_it = entry.drive.as_camera_took_it;
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
    for (Input input : {Input::Buttons, Input::Keys, Input::Pad, Input::Play, Input::Remote}) {
        Drive drive{axis, {}};
        quint64 since = 0;
        if (asked(input, axis, &drive, &since) && since > newest) {
            newest = since;
            newest_drive = drive;
        }
    }
    if (newest_drive.way.isNull())
        newest_drive = {axis, {}};
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
    const bool as_given = drive.as_camera_took_it;
    switch (drive.axis) {
    case Axis::PanTilt: {
        if (way.isNull()) {
            control.stop_pan_tilt();
            break;
        }
        QPoint speed = drive.speed.value_or(QPoint(speeds.pan(), speeds.tilt()));
        if (speeds.pan_tilt_speed && !as_given)
            speed = speeds.pan_tilt_speed(speed);
        const QPoint camera_way = speeds.camera_way && !as_given ? speeds.camera_way(way) : way;
        control.drive(pan_of(camera_way), tilt_of(camera_way), speed.x(), speed.y());
        emit drove(drive.axis, camera_way, speed);
        return;
    }
    case Axis::Zoom:
        if (way.isNull()) {
            control.stop_zoom();
            break;
        }
        {
            const int speed = drive.speed ? drive.speed->x() : speeds.zoom();
            control.zoom(way.x() > 0 ? visca::Zoom::tele : visca::Zoom::wide, speed);
            emit drove(drive.axis, way, {speed, 0});
        }
        return;
    case Axis::Focus:
        if (way.isNull()) {
            control.stop_focus();
            break;
        }
        {
            // The operator's focus speed is read when the drive goes out.
            const int speed = as_given && drive.speed ? drive.speed->x() : speeds.focus();
            control.focus(way.x() > 0 ? visca::Focus::near : visca::Focus::far,
                          as_given ? CameraControl::SpeedSource([speed] { return speed; })
                                   : speeds.focus);
            emit drove(drive.axis, way, {speed, 0});
        }
        return;
    }
    emit drove(drive.axis, {}, {});
}
