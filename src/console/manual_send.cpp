#include "app/mainwindow.h"
#include "console/console_text.h"
#include "ui_mainwindow.h"

#include <QTimer>

bool MainWindow::loop_running() const { return loop_timer && loop_timer->isActive(); }

void MainWindow::on_checkBox_clicked(bool checked)
{
    if (checked) {
        ui->lineEdit->setEnabled(true);
    } else {
        ui->lineEdit->clear();
        ui->lineEdit->setEnabled(false);
    }
}

bool MainWindow::interval_accepted()
{
    switch (check_interval(ui->lineEdit->text())) {
    case IntervalCheck::Empty: inform(tr("The input is empty")); return false;
    case IntervalCheck::OutOfScope:
        inform(tr("The scope of 0~3600000"));
        ui->lineEdit->clear();
        return false;
    case IntervalCheck::Accepted: break;
    }
    return true;
}

void MainWindow::send_manual_text(const QString &text)
{
    send_and_log(text, ui->radioButton_11->isChecked());
}

void MainWindow::on_pushButton_13_clicked()
{
    if (ui->plainTextEdit->document()->isEmpty())
        return;
    if (ui->pushButton_13->text() == tr("Stop")) {
        ui->pushButton_13->setText(tr("Send"));
        loop_list.clear();
        loop_timer->stop();
        return;
    }
    if (!link_open(ui->radioButton_11->isChecked()))
        return;

    loop_list = command_entries(ui->plainTextEdit->toPlainText());
    if (loop_list.isEmpty())
        return;
    const QString text = loop_list.takeFirst();
    const bool loop = ui->checkBox->isChecked();
    if (loop && !interval_accepted())
        return;

    send_manual_text(text);
    if (loop) {
        ui->pushButton_13->setText(tr("Stop"));
        loop_list.append(text);
        loop_interval = ui->lineEdit->text().toInt(nullptr, 10);
        loop_clock.start();
        loop_schedule.start(loop_clock.nsecsElapsed(), loop_interval);
        loop_timer->start(loop_interval);
    }
}

void MainWindow::loop_send()
{
    loop_timer->stop();
    loop_schedule.woke(loop_clock.nsecsElapsed());
    if (loop_list.isEmpty())
        return;
    const QString text = loop_list.takeFirst();
    send_manual_text(text);
    loop_list.append(text);

    // An edited interval takes effect at the next tick; an emptied or
    // out-of-range field keeps the interval the loop already runs at.
    if (check_interval(ui->lineEdit->text()) == IntervalCheck::Accepted)
        loop_interval = ui->lineEdit->text().toInt(nullptr, 10);
    if (loop_list.isEmpty())
        return;
    loop_timer->start(loop_schedule.next_wait_ms(loop_clock.nsecsElapsed(), loop_interval));
}
