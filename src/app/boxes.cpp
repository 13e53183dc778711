#include "app/boxes.h"

#include "app/system_reasons.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int plain_box(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
              QMessageBox::StandardButtons buttons, const QString &reason)
{
    QMessageBox box(icon, title, text, buttons, parent);
    // Names, ports, paths and reasons come from cameras, files and the
    // system: shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    if (!reason.isEmpty()) {
        box.setInformativeText(system_reason(reason));
        if (auto *informative = box.findChild<QLabel *>("qt_msgbox_informativelabel"))
            informative->setTextFormat(Qt::PlainText);
    }
    return box.exec();
}

void Boxes::inform(const QString &text) const
{
    plain_box(parent, QMessageBox::Information, tr("information"), text, QMessageBox::Ok);
}

void Boxes::warn(const QString &text) const
{
    plain_box(parent, QMessageBox::Warning, tr("warning"), text, QMessageBox::Ok);
}

void Boxes::tell(QMessageBox::Icon icon, const QString &title, const QString &text,
                 const QString &reason) const
{
    plain_box(parent, icon, title, text, QMessageBox::Ok, reason);
}

QString Boxes::failure_text(SendResult result, const QString &reason, bool *warning)
{
    if (warning)
        *warning = result != SendResult::BadText;
    switch (result) {
    case SendResult::BadText: return tr("Command format error");
    case SendResult::WriteFailed:
        return tr("The command could not be sent: %1").arg(system_reason(reason));
    case SendResult::NotReading:
        return tr("The camera is not reading: commands are refused until it reads again");
    case SendResult::Sent:
    case SendResult::Backlogged: break; // the first refusal told the operator already
    }
    return QString();
}

void Boxes::report_failure(SendResult result, const QString &reason) const
{
    bool warning = true;
    const QString text = failure_text(result, reason, &warning);
    if (text.isEmpty())
        return;
    if (warning)
        warn(text);
    else
        inform(text);
}

void Boxes::report_failure_later(SendResult result, const QString &reason) const
{
    bool warning = true;
    const QString text = failure_text(result, reason, &warning);
    if (!text.isEmpty())
        later(warning ? QMessageBox::Warning : QMessageBox::Information, text);
}

void Boxes::later(QMessageBox::Icon icon, const QString &text, const QString &reason) const
{
    const Boxes boxes = *this;
    // Bound to the window: a box still due when it closes is dropped.
    QTimer::singleShot(0, parent, [boxes, icon, text, reason] {
        if (QApplication::activeModalWidget()) {
            QTimer::singleShot(100, boxes.parent,
                               [boxes, icon, text, reason] { boxes.later(icon, text, reason); });
            return;
        }
        plain_box(boxes.parent, icon,
                  icon == QMessageBox::Warning ? tr("warning") : tr("information"), text,
                  QMessageBox::Ok, reason);
    });
}
