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

QString Boxes::failure_text(SendResult result, const QString &reason, bool *warning)
{
    if (warning)
        *warning = result != SendResult::BadText;
    switch (result) {
    case SendResult::BadText: return tr("Command format error");
    case SendResult::WriteFailed: return tr("The command could not be sent: %1").arg(reason);
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
