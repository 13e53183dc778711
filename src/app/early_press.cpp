#include "app/early_press.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

EarlyPress::EarlyPress(QObject *window, const QList<QPushButton *> &buttons) : window(window)
{
    for (QPushButton *button : buttons)
        button->installEventFilter(this);
}

bool EarlyPress::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (!press && event->type() != QEvent::MouseButtonRelease)
        return false;
    auto *button = static_cast<QAbstractButton *>(watched);
    auto *mouse = static_cast<QMouseEvent *>(event);
    // Only what Qt itself would turn into pressed() or released().
    const bool takes = mouse->button() == Qt::LeftButton && button->isEnabled() &&
                       (press ? button->rect().contains(mouse->pos()) : button->isDown());
    if (!takes)
        return false;
    const QByteArray slot =
        "on_" + button->objectName().toLatin1() + (press ? "_pressed" : "_released");
    QMetaObject::invokeMethod(window, slot.constData(), Qt::DirectConnection);
    const QSignalBlocker quiet(button);
    static_cast<QObject *>(button)->event(event);
    return true;
}
