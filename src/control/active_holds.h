#ifndef ZARVICK_ACTIVE_HOLDS_H
#define ZARVICK_ACTIVE_HOLDS_H

#include "control/holds.h"

class Camera;
class Cameras;

// What the window's inputs report to: the holds of whichever camera is
// active at the moment. A camera switch ends the old camera's holds first
// (Cameras), so an input still held reaches the new camera only when it
// takes hold anew.
class ActiveHolds : public HoldOwner
{
    Q_OBJECT

public:
    explicit ActiveHolds(Cameras &cameras);
    // From now on what `camera`'s holds say is told while it is active.
    void relay(Camera &camera);

    void hold(Input input, int id, Drive drive) override;
    void let_go(Input input, int id) override;
    void lose_all() override;
    bool holding(Input input, int id) const override;
    bool holds(Input input, Drive drive) const override;
    bool can_drive() const override;

private:
    Holds *current() const;

    Cameras &cameras;
};

#endif
