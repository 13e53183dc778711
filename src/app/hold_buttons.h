#ifndef ZARVICK_HOLD_BUTTONS_H
#define ZARVICK_HOLD_BUTTONS_H

#include "control/holds.h"

#include <QList>
#include <QObject>

class QAbstractButton;

// The hold-to-move buttons as an input of the hold owner. A mouse press is
// reported before the button repaints itself (Qt repaints a pressed button
// before it emits pressed(), and the camera would wait for that paint): the
// button then takes the press with its signals held back, so it looks and
// behaves as before; the release goes the same way. A press that comes
// otherwise (the space bar) reaches press() through the window's slot.
//
// A button the mouse still holds after its hold was taken away (a camera
// switch, a message box) drives nothing more until it is pressed again:
// Qt says pressed() again when the pointer comes back onto it.
//
// Each button is drawn down while an input holds its drive and the camera
// can be driven: a held key shows on its button too.
class HoldButtons : public QObject
{
    Q_OBJECT

public:
    struct Button {
        QAbstractButton *button;
        HoldOwner::Drive drive;
    };
    HoldButtons(HoldOwner &hold_owner, const QList<Button> &drive_buttons);
    void press(QAbstractButton *button);
    void release(QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int index_of(const QObject *button) const;
    void draw();

    HoldOwner &holds;
    const QList<Button> buttons;
    // The button the mouse went down on, while it is down; whether its hold
    // was taken away meanwhile.
    int mouse_held = -1;
    bool mouse_hold_ended = false;
};

#endif
