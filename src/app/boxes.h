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
    // For a link's, a reply's or a timer's path: the box opens once that
    // path has returned, and after any box open now (the operator answers
    // that one first). A box runs an event loop of its own, in which the
    // link that spoke may be lost, opened anew or replaced.
    void later(QMessageBox::Icon icon, const QString &text,
               const QString &reason = QString()) const;
    void report_failure_later(SendResult result, const QString &reason) const;

private:
    QWidget *parent;
};

#endif
