#include "app/hold_buttons.h"

#include "control/camera_control.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QSignalBlocker>

HoldButtons::HoldButtons(Holds &hold_owner, const CameraControl &camera,
                         const QList<Button> &drive_buttons)
    : QObject(&hold_owner), holds(hold_owner), control(camera), buttons(drive_buttons)
{
    for (const Button &entry : buttons)
        entry.button->installEventFilter(this);
    // Drawn on the next turn of the loop: a press's bytes leave first, and
    // the pressed button takes its own press undisturbed.
    connect(&holds, &Holds::changed, this, &HoldButtons::draw, Qt::QueuedConnection);
    connect(&holds, &Holds::taken_away, this, [this] { mouse_hold_ended = mouse_held >= 0; });
}

int HoldButtons::index_of(const QObject *button) const
{
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i].button == button)
            return i;
    }
    return -1;
}

void HoldButtons::press(QAbstractButton *button)
{
    const int index = index_of(button);
    if (index >= 0 && !(mouse_hold_ended && index == mouse_held))
        holds.hold(Holds::Input::Buttons, index, buttons[index].drive);
}

void HoldButtons::release(QAbstractButton *button)
{
    holds.let_go(Holds::Input::Buttons, index_of(button));
}

bool HoldButtons::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (!press && event->type() != QEvent::MouseButtonRelease)
        return false;
    auto *button = static_cast<QAbstractButton *>(watched);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    // Only what Qt itself would turn into pressed(); every left release
    // lets go, whether the button still looks down or not.
    if (mouse->button() != Qt::LeftButton ||
        (press && (!button->isEnabled() || !button->rect().contains(mouse->pos()))))
        return false;
    mouse_held = press ? index_of(button) : -1;
    mouse_hold_ended = false;
    if (press)
        this->press(button);
    else
        release(button);
    const QSignalBlocker quiet(button);
    static_cast<QObject *>(button)->event(event);
    return true;
}

void HoldButtons::draw()
{
    const bool driving = control.ready();
    for (const Button &entry : buttons) {
        // Qt draws what the mouse holds.
        if (holds.holds(Holds::Input::Buttons, entry.drive))
            continue;
        entry.button->setDown(driving && (holds.holds(Holds::Input::Keys, entry.drive) ||
                                          holds.holds(Holds::Input::Pad, entry.drive)));
    }
}
