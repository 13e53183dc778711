#include "control/active_holds.h"

#include "control/cameras.h"

ActiveHolds::ActiveHolds(Cameras &camera_list) : HoldOwner(&camera_list), cameras(camera_list)
{
    connect(&cameras, &Cameras::switched, this, &HoldOwner::changed);
}

void ActiveHolds::relay(Camera &camera)
{
    const auto when_active = [this, &camera](void (HoldOwner::*signal)()) {
        return [this, &camera, signal] {
            if (cameras.active() >= 0 && &cameras.active_camera() == &camera)
                (this->*signal)();
        };
    };
    connect(&camera.holds(), &Holds::changed, this, when_active(&HoldOwner::changed));
    connect(&camera.holds(), &Holds::taken_away, this, when_active(&HoldOwner::taken_away));
}

Holds *ActiveHolds::current() const
{
    return cameras.active() < 0 ? nullptr : &cameras.active_camera().holds();
}

void ActiveHolds::hold(Input input, int id, Drive drive)
{
    if (Holds *holds = current())
        holds->hold(input, id, drive);
}

void ActiveHolds::let_go(Input input, int id)
{
    if (Holds *holds = current())
        holds->let_go(input, id);
}

void ActiveHolds::lose_all()
{
    if (Holds *holds = current())
        holds->lose_all();
}

bool ActiveHolds::holding(Input input, int id) const
{
    const Holds *holds = current();
    return holds && holds->holding(input, id);
}

bool ActiveHolds::holds(Input input, Drive drive) const
{
    const Holds *holds = current();
    return holds && holds->holds(input, drive);
}

bool ActiveHolds::can_drive() const
{
    const Holds *holds = current();
    return holds && holds->can_drive();
}
