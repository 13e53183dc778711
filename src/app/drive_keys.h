#ifndef ZARVICK_DRIVE_KEYS_H
#define ZARVICK_DRIVE_KEYS_H

#include <QMap>
#include <QObject>
#include <QPoint>

class QKeyEvent;
class QWidget;

// Drives the camera from the keyboard while `window` is active, whichever
// button or closed list box has the focus; text fields keep their keys.
// Arrows and the keypad's 1-9 aim the pan-tilt head (held keys add up, so
// two of them drive the diagonal), keypad 5 or Home is Home, + and - zoom,
// Page Up and Page Down focus. One press per key: auto-repeat is ignored.
//
// It also watches for the moments a held drive must stop because its
// release would never come: the window deactivated, minimized or blocked by
// a box.
class DriveKeys : public QObject
{
    Q_OBJECT

public:
    explicit DriveKeys(QWidget *window);

signals:
    // The head's aim from the keys held: x -1 left, 1 right; y -1 up, 1
    // down; (0, 0) when the last direction key was released.
    void aimed(QPoint aim);
    void home();
    // +1 zoom tele / focus near, -1 zoom wide / focus far, 0 released.
    void zoomed(int direction);
    void focused(int direction);
    void release_lost();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handled_key(QKeyEvent *event);
    void aim_changed();

    QWidget *window;
    QMap<int, QPoint> held_directions; // by key, keypad keys apart
    int held_zoom = 0;
    int held_focus = 0;
    int zoom_key_id = 0;
    int focus_key_id = 0;
};

#endif
