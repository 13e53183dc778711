#ifndef ZARVICK_EARLY_PRESS_H
#define ZARVICK_EARLY_PRESS_H

#include <QList>
#include <QObject>

class QPushButton;

// Sends a hold-to-move button's command before the button repaints itself.
// Qt repaints a pressed button before it emits pressed(), and the camera
// would wait for that paint: here the mouse press calls the window's
// on_<button>_pressed slot first, then lets the button take the press with
// its signals held back, so it looks and behaves as before. The release
// goes the same way. A pressed() that comes otherwise (the keyboard's space
// bar, a test) still reaches the slot as usual.
class EarlyPress : public QObject
{
public:
    EarlyPress(QObject *window, const QList<QPushButton *> &buttons);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QObject *window;
};

#endif
