#include "app/boxes.h"

#include <QApplication>
#include <QTimer>

void Boxes::inform(const QString &text) const
{
    QMessageBox::information(parent, tr("information"), text, QMessageBox::Ok);
}

void Boxes::warn(const QString &text) const
{
    QMessageBox::warning(parent, tr("warning"), text, QMessageBox::Ok);
}

void Boxes::tell(QMessageBox::Icon icon, const QString &title, const QString &text,
                 const QString &reason) const
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setInformativeText(reason);
    box.exec();
}

void Boxes::report_failure(SendResult result, const QString &reason) const
{
    if (result == SendResult::BadText)
        inform(tr("Command format error"));
    else if (result == SendResult::WriteFailed)
        warn(tr("The command could not be sent: %1").arg(reason));
    else if (result == SendResult::NotReading)
        warn(tr("The camera is not reading: commands are refused until it reads again"));
    // Backlogged: the first refusal told the operator already.
}

void Boxes::warn_after_open_box(const QString &text) const
{
    if (QApplication::activeModalWidget()) {
        const Boxes boxes = *this;
        // Qt keeps the slot object and frees it after the call; the analyzer
        // takes it for a leak.
        // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
        QTimer::singleShot(100, parent, [boxes, text] { boxes.warn_after_open_box(text); });
        return;
    }
    warn(text);
}
