#include "app/mainwindow.h"
#include "console/log_clock.h"
#include "ui_mainwindow.h"

#include <QColor>
#include <QScrollBar>
#include <QTextCursor>

void MainWindow::init_message_log()
{
    // Log lines are a record, not edits to take back: an undo history would
    // keep a second copy of every line.
    ui->textEdit->document()->setUndoRedoEnabled(false);
    // The scroll bar changes with every line; painted opaque (it fills its
    // whole rectangle), it spares a repaint of the group box behind it.
    ui->textEdit->verticalScrollBar()->setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void MainWindow::log_message(const QString &text, bool sent)
{
    const QString line = (sent ? QStringLiteral("TX：") : QStringLiteral("RX：")) + text +
                         QLatin1Char(' ') + log_clock.stamp();
    ui->textEdit->setTextColor(QColor(sent ? "blue" : "green"));
    ui->textEdit->append(line);
    // The view follows the newest line and the next line's colour applies at
    // the end; the cursor usually is there already, and moving it costs.
    QTextCursor cursor = ui->textEdit->textCursor();
    if (!cursor.atEnd()) {
        cursor.movePosition(QTextCursor::End, QTextCursor::MoveAnchor, 1);
        ui->textEdit->setTextCursor(cursor);
    }
}

void MainWindow::log_received(const QStringList &texts)
{
    if (texts.size() < 2) {
        for (const QString &text : texts)
            log_message(text, false);
        return;
    }
    // A flooding camera brings many replies per read: lay the log out once
    // for all of them rather than once per line, then bring the view along.
    QTextCursor batch(ui->textEdit->document());
    batch.beginEditBlock();
    for (const QString &text : texts)
        log_message(text, false);
    batch.endEditBlock();
    QScrollBar *bar = ui->textEdit->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void MainWindow::on_pushButton_14_clicked() { ui->textEdit->clear(); }
