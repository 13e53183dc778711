#include "app/hold_buttons.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QSignalBlocker>

HoldButtons::HoldButtons(HoldOwner &hold_owner, const QList<Button> &drive_buttons)
    : QObject(&hold_owner), holds(hold_owner), buttons(drive_buttons)
{
    for (const Button &entry : buttons)
        entry.button->installEventFilter(this);
    // Drawn on the next turn of the loop: a press's bytes leave first, and
    // the pressed button takes its own press undisturbed.
    connect(&holds, &HoldOwner::changed, this, &HoldButtons::draw, Qt::QueuedConnection);
    connect(&holds, &HoldOwner::taken_away, this, [this] { mouse_hold_ended = mouse_held >= 0; });
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
        holds.hold(HoldOwner::Input::Buttons, index, buttons[index].drive);
}

void HoldButtons::release(QAbstractButton *button)
{
    holds.let_go(HoldOwner::Input::Buttons, index_of(button));
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
    const bool driving = holds.can_drive();
    for (const Button &entry : buttons) {
        // Qt draws what the mouse holds.
        if (holds.holds(HoldOwner::Input::Buttons, entry.drive))
            continue;
        entry.button->setDown(driving && (holds.holds(HoldOwner::Input::Keys, entry.drive) ||
                                          holds.holds(HoldOwner::Input::Pad, entry.drive)));
    }
}
