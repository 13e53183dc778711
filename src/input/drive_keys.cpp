#include "input/drive_keys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {
using Drive = HoldOwner::Drive;

// Keypad keys arrive with the keypad modifier: digits with NumLock on, the
// navigation keys printed beside them with NumLock off. Both mean the same
// here; the main keyboard's Home and Page keys keep their own meaning.
int keypad_digit(const QKeyEvent *event)
{
    if (!(event->modifiers() & Qt::KeypadModifier))
        return -1;
    switch (event->key()) {
    case Qt::Key_1:
    case Qt::Key_End: return 1;
    case Qt::Key_2:
    case Qt::Key_Down: return 2;
    case Qt::Key_3:
    case Qt::Key_PageDown: return 3;
    case Qt::Key_4:
    case Qt::Key_Left: return 4;
    case Qt::Key_5:
    case Qt::Key_Clear: return 5;
    case Qt::Key_6:
    case Qt::Key_Right: return 6;
    case Qt::Key_7:
    case Qt::Key_Home: return 7;
    case Qt::Key_8:
    case Qt::Key_Up: return 8;
    case Qt::Key_9:
    case Qt::Key_PageUp: return 9;
    default: return -1;
    }
}

enum class Meaning { None, Move, Home, Position };

Meaning meaning_of(const QKeyEvent *event, Drive *drive)
{
    const int digit = keypad_digit(event);
    if (digit == 5)
        return Meaning::Home;
    if (digit > 0) {
        // The keypad's layout: 7 8 9 on top, 1 2 3 below.
        *drive = {Axis::PanTilt, {(digit - 1) % 3 - 1, 1 - (digit - 1) / 3}};
        return Meaning::Move;
    }
    // F1 … F12: the kept positions 1 … 12 (way.x the number from 1).
    if (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        *drive = {Axis::PanTilt, {event->key() - Qt::Key_F1 + 1, 0}};
        return Meaning::Position;
    }
    switch (event->key()) {
    case Qt::Key_Up: *drive = {Axis::PanTilt, {0, -1}}; return Meaning::Move;
    case Qt::Key_Down: *drive = {Axis::PanTilt, {0, 1}}; return Meaning::Move;
    case Qt::Key_Left: *drive = {Axis::PanTilt, {-1, 0}}; return Meaning::Move;
    case Qt::Key_Right: *drive = {Axis::PanTilt, {1, 0}}; return Meaning::Move;
    case Qt::Key_Plus: *drive = {Axis::Zoom, {1, 0}}; return Meaning::Move;
    case Qt::Key_Minus: *drive = {Axis::Zoom, {-1, 0}}; return Meaning::Move;
    case Qt::Key_PageUp: *drive = {Axis::Focus, {1, 0}}; return Meaning::Move;
    case Qt::Key_PageDown: *drive = {Axis::Focus, {-1, 0}}; return Meaning::Move;
    case Qt::Key_Home: return Meaning::Home;
    default: return Meaning::None;
    }
}

// A key is known again at its release by where it sits: "+" is released
// as "=" when Shift went up first.
int key_id(const QKeyEvent *event)
{
    return event->nativeScanCode() ? int(event->nativeScanCode())
                                   : event->key() ^ int(event->modifiers() & Qt::KeypadModifier);
}

bool is_text_field(const QObject *widget)
{
    return qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget);
}
} // namespace

DriveKeys::DriveKeys(QWidget *watched, HoldOwner &hold_owner, std::function<bool()> in_view,
                     std::function<bool()> positions_shown)
    : QObject(watched), window(watched), holds(hold_owner), pad_in_view(std::move(in_view)),
      positions_in_view(std::move(positions_shown))
{
    pending_release.setSingleShot(true);
    pending_release.setInterval(repeat_gap_ms);
    connect(&pending_release, &QTimer::timeout, this, &DriveKeys::commit_release);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (is_text_field(now) && now->window() == this->window)
            this->holds.lose_all();
    });
}

bool DriveKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (releases_may_be_lost(watched, event)) {
        holds.lose_all();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *target = qobject_cast<QWidget *>(watched);
    // A key a text field ignores (Up in a line edit) travels on to its
    // parents: it is still typing, not driving.
    if (!target || target->window() != window || !window->isActiveWindow() ||
        is_text_field(target) || is_text_field(QApplication::focusWidget()))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const bool function_key = key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F12;
    if (!pad_in_view() && !(function_key && positions_in_view && positions_in_view()))
        return false;
    // F4 opens a list box's list, as in every program; F2 renames in a list
    // that names its rows in place.
    QWidget *focus = QApplication::focusWidget();
    const auto *list = qobject_cast<QAbstractItemView *>(focus);
    if ((key->key() == Qt::Key_F4 && qobject_cast<QComboBox *>(focus)) ||
        (key->key() == Qt::Key_F2 && list &&
         list->editTriggers().testFlag(QAbstractItemView::EditKeyPressed)))
        return false;
    return handled_key(key);
}

bool DriveKeys::releases_may_be_lost(QObject *watched, QEvent *event) const
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::WindowBlocked: return watched == window;
    case QEvent::WindowStateChange: return watched == window && window->isMinimized();
    case QEvent::Show: {
        // An open list or menu takes the keyboard until it closes.
        auto *widget = qobject_cast<QWidget *>(watched);
        return widget && widget->isWindow() && widget->windowType() == Qt::Popup;
    }
    default: return false;
    }
}

bool DriveKeys::handled_key(QKeyEvent *event)
{
    Drive drive{Axis::PanTilt, {}};
    const Meaning meaning = meaning_of(event, &drive);
    const int id = key_id(event);
    const bool press = event->type() == QEvent::KeyPress;
    // A held key may come back as another one ("+" as "=").
    if (meaning == Meaning::None && (press || !holds.holding(HoldOwner::Input::Keys, id)))
        return false;
    if (event->isAutoRepeat())
        return true;
    if (pending_release.isActive()) {
        // A release and a press of one key at one time stamp: a repeat.
        if (press && id == pending_key && event->timestamp() == pending_time) {
            pending_release.stop();
            return true;
        }
        commit_release();
    }
    if (!press) {
        pending_key = id;
        pending_time = event->timestamp();
        pending_release.start();
    } else if (meaning == Meaning::Home) {
        emit home();
    } else if (meaning == Meaning::Position) {
        emit go_to_position(drive.way.x() - 1);
    } else {
        holds.hold(HoldOwner::Input::Keys, id, drive);
    }
    return true;
}

void DriveKeys::commit_release()
{
    pending_release.stop();
    holds.let_go(HoldOwner::Input::Keys, pending_key);
}
