#include "app/boxes.h"

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
        box.setInformativeText(reason);
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
        // A timer of the window's own, gone once it has fired.
        auto *later = new QTimer(parent);
        later->setSingleShot(true);
        QObject::connect(later, &QTimer::timeout, parent, [boxes, text, later] {
            later->deleteLater();
            boxes.warn_after_open_box(text);
        });
        later->start(100);
        return;
    }
    warn(text);
}
