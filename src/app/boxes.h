#ifndef ZARVICK_BOXES_H
#define ZARVICK_BOXES_H

#include "control/link_channel.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

class QWidget;

// A modal message box that shows its texts as plain text; its answer.
int plain_box(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
              QMessageBox::StandardButtons buttons, const QString &reason = QString());

// The window's message boxes, shared by its panels. Their texts belong to
// the window's catalog context.
class Boxes
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    explicit Boxes(QWidget *window) : parent(window) {}
    void inform(const QString &text) const;
    void warn(const QString &text) const;
    // A message box whose informative text gives the system's reason.
    void tell(QMessageBox::Icon icon, const QString &title, const QString &text,
              const QString &reason) const;
    // A command that did not go out.
    void report_failure(SendResult result, const QString &reason) const;
    // What report_failure says, and whether as a warning; nothing for a
    // failure told already.
    static QString failure_text(SendResult result, const QString &reason, bool *warning = nullptr);
    // After the message box open now, if any: the operator answers that one first.
    void warn_after_open_box(const QString &text) const;

private:
    QWidget *parent;
};

#endif
