#ifndef ZARVICK_DRIVE_KEYS_H
#define ZARVICK_DRIVE_KEYS_H

#include "control/holds.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QKeyEvent;
class QWidget;

// Reports the keyboard to the hold owner while `window` is active,
// whichever button or closed list box has the focus; text fields keep
// their keys. Arrows and the keypad's 1-9 (with NumLock on or off) aim the
// pan-tilt head, keypad 5 or Home is Home, + and - zoom, Page Up and Page
// Down focus, F1 … F12 go to the kept positions 1 … 12. One press per key: auto-repeat is ignored,
// also where the X server sends it as a release and a press with one time stamp and no repeat flag.
//
// It also reports the moments a held drive must stop because its release
// would go elsewhere: the window deactivated, minimized or blocked by a
// message box, a popup (an open list) taking the keyboard, or the focus moving into
// a text field.
class DriveKeys : public QObject
{
    Q_OBJECT

public:
    // `in_view` tells whether the pad the keys stand for is shown: keys
    // pressed elsewhere (the Manual tab) belong to the widgets there.
    // `positions_in_view` whether the kept positions are, without the pad:
    // there F1 … F12 still go to them.
    DriveKeys(QWidget *watched, HoldOwner &hold_owner, std::function<bool()> in_view,
              std::function<bool()> positions_in_view = {});

signals:
    void home();
    // F1 … F12: the active camera's kept position `index` (from 0).
    void go_to_position(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handled_key(QKeyEvent *event);
    bool releases_may_be_lost(QObject *watched, QEvent *event) const;
    void commit_release();

    QWidget *window;
    HoldOwner &holds;
    std::function<bool()> pad_in_view;
    std::function<bool()> positions_in_view;
    // A release waits this long for the press that would make it a repeat.
    static constexpr int repeat_gap_ms = 15;
    QTimer pending_release;
    int pending_key = 0;
    ulong pending_time = 0;
};

#endif
