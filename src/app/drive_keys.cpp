#include "app/drive_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {
// Keypad digits arrive as digit keys with the keypad modifier; they are
// kept apart from the main keyboard's digits, which type nothing here.
int key_code(const QKeyEvent *event)
{
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    return event->key() | (keypad ? int(Qt::KeypadModifier) : 0);
}

QPoint direction_of(int code)
{
    const int keypad = int(Qt::KeypadModifier);
    switch (code) {
    case Qt::Key_Up:
    case Qt::Key_Up | keypad:
    case Qt::Key_8 | keypad: return {0, -1};
    case Qt::Key_Down:
    case Qt::Key_Down | keypad:
    case Qt::Key_2 | keypad: return {0, 1};
    case Qt::Key_Left:
    case Qt::Key_Left | keypad:
    case Qt::Key_4 | keypad: return {-1, 0};
    case Qt::Key_Right:
    case Qt::Key_Right | keypad:
    case Qt::Key_6 | keypad: return {1, 0};
    case Qt::Key_7 | keypad: return {-1, -1};
    case Qt::Key_9 | keypad: return {1, -1};
    case Qt::Key_1 | keypad: return {-1, 1};
    case Qt::Key_3 | keypad: return {1, 1};
    default: return {};
    }
}

bool is_text_field(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget);
}
} // namespace

DriveKeys::DriveKeys(QWidget *window) : QObject(window), window(window)
{
    qApp->installEventFilter(this);
}

bool DriveKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *target = qobject_cast<QWidget *>(watched);
        // A key a text field ignores (Up in a line edit) travels on to its
        // parents: it is still typing, not driving.
        if (!target || target->window() != window || !window->isActiveWindow() ||
            is_text_field(target) || is_text_field(QApplication::focusWidget()))
            return false;
        return handled_key(static_cast<QKeyEvent *>(event));
    }
    case QEvent::WindowDeactivate:
    case QEvent::WindowBlocked:
    case QEvent::WindowStateChange:
        if (watched == window &&
            (event->type() != QEvent::WindowStateChange || window->isMinimized())) {
            // The keys' releases go elsewhere now: forget them too.
            held_directions.clear();
            held_zoom = held_focus = 0;
            emit release_lost();
        }
        return false;
    default: return false;
    }
}

bool DriveKeys::handled_key(QKeyEvent *event)
{
    const bool press = event->type() == QEvent::KeyPress;
    const int code = key_code(event);
    const int key = event->key();
    // A key is known again at its release by where it sits: "+" is
    // released as "=" when Shift went up first.
    const int identity = event->nativeScanCode() ? int(event->nativeScanCode()) : code;
    if (!press && !event->isAutoRepeat()) {
        if (held_directions.remove(identity)) {
            aim_changed();
            return true;
        }
        if (held_zoom && zoom_key_id == identity) {
            held_zoom = 0;
            emit zoomed(0);
            return true;
        }
        if (held_focus && focus_key_id == identity) {
            held_focus = 0;
            emit focused(0);
            return true;
        }
    }
    const QPoint direction = direction_of(code);
    const bool zoom_key = key == Qt::Key_Plus || key == Qt::Key_Minus;
    const bool focus_key = key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    const bool home_key = key == Qt::Key_Home || code == (Qt::Key_5 | int(Qt::KeypadModifier));
    if (direction.isNull() && !zoom_key && !focus_key && !home_key)
        return false;
    // Releases of keys that drive nothing now, and auto-repeat, do nothing.
    if (!press || event->isAutoRepeat())
        return true;

    if (!direction.isNull()) {
        held_directions.insert(identity, direction);
        aim_changed();
    } else if (zoom_key) {
        held_zoom = key == Qt::Key_Plus ? 1 : -1;
        zoom_key_id = identity;
        emit zoomed(held_zoom);
    } else if (focus_key) {
        held_focus = key == Qt::Key_PageUp ? 1 : -1;
        focus_key_id = identity;
        emit focused(held_focus);
    } else {
        emit home();
    }
    return true;
}

void DriveKeys::aim_changed()
{
    QPoint sum;
    for (const QPoint &direction : held_directions)
        sum += direction;
    emit aimed({qBound(-1, sum.x(), 1), qBound(-1, sum.y(), 1)});
}
