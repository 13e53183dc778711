// The PTZ and Manual tabs: each slot hands its press to the camera control
// or the console.

#include "app/mainwindow.h"
#include "console/console_text.h"
#include "console/message_log.h"
#include "ui_mainwindow.h"
#include "visca/commands.h"

// The speed boxes list the VISCA speeds themselves ("1" is speed 01).
void MainWindow::drive(const char *direction)
{
    control.drive(direction, ui->hcomboBox->currentText().toInt(),
                  ui->vcomboBox->currentText().toInt());
}

void MainWindow::on_ptz_upButton_pressed() { drive(visca::pan_tilt_up); }
void MainWindow::on_ptz_upButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_downButton_pressed() { drive(visca::pan_tilt_down); }
void MainWindow::on_ptz_downButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_leftButton_pressed() { drive(visca::pan_tilt_left); }
void MainWindow::on_ptz_leftButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_rightButton_pressed() { drive(visca::pan_tilt_right); }
void MainWindow::on_ptz_rightButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_leftupButton_pressed() { drive(visca::pan_tilt_up_left); }
void MainWindow::on_ptz_leftupButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_rightupButton_pressed() { drive(visca::pan_tilt_up_right); }
void MainWindow::on_ptz_rightupButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_leftdownButton_pressed() { drive(visca::pan_tilt_down_left); }
void MainWindow::on_ptz_leftdownButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_rightdownButton_pressed() { drive(visca::pan_tilt_down_right); }
void MainWindow::on_ptz_rightdownButton_released() { control.stop_pan_tilt(); }
void MainWindow::on_ptz_resetButton_clicked() { control.home(); }

void MainWindow::zoom(const char *direction)
{
    control.zoom(direction, ui->zoomcomboBox->currentText());
}

void MainWindow::on_zoomin_Button_pressed() { zoom(visca::zoom_tele); }
void MainWindow::on_zoomin_Button_released() { control.stop_zoom(); }
void MainWindow::on_zoomout_Button_pressed() { zoom(visca::zoom_wide); }
void MainWindow::on_zoomout_Button_released() { control.stop_zoom(); }

void MainWindow::focus(const char *direction)
{
    control.focus(direction, [this] { return ui->focuscomboBox->currentText(); });
}

void MainWindow::on_focusin_Button_pressed() { focus(visca::focus_near); }
void MainWindow::on_focusin_Button_released() { control.stop_focus(); }
void MainWindow::on_focusout_Button_pressed() { focus(visca::focus_far); }
void MainWindow::on_focusout_Button_released() { control.stop_focus(); }

void MainWindow::on_pushButton_3_clicked() { control.preset(ui->radioButton->isChecked(), 0); }
void MainWindow::on_pushButton_4_clicked() { control.preset(ui->radioButton->isChecked(), 1); }
void MainWindow::on_pushButton_5_clicked() { control.preset(ui->radioButton->isChecked(), 2); }
void MainWindow::on_pushButton_6_clicked() { control.preset(ui->radioButton->isChecked(), 3); }
void MainWindow::on_pushButton_7_clicked() { control.preset(ui->radioButton->isChecked(), 4); }
void MainWindow::on_pushButton_8_clicked() { control.preset(ui->radioButton->isChecked(), 5); }
void MainWindow::on_pushButton_9_clicked() { control.preset(ui->radioButton->isChecked(), 6); }
void MainWindow::on_pushButton_10_clicked() { control.preset(ui->radioButton->isChecked(), 7); }
void MainWindow::on_pushButton_11_clicked() { control.preset(ui->radioButton->isChecked(), 8); }
void MainWindow::on_pushButton_12_clicked() { control.preset(ui->radioButton->isChecked(), 9); }

void MainWindow::preset_from_field(bool store)
{
    if (!control.ready() || control.preset_from_field(store, ui->lineEdit_2->text()))
        return;
    inform(tr("Preset num error"));
    ui->lineEdit_2->clear();
}

void MainWindow::on_pushButton_clicked() { preset_from_field(true); }
void MainWindow::on_pushButton_2_clicked() { preset_from_field(false); }

void MainWindow::on_checkBox_clicked(bool checked)
{
    if (!checked)
        ui->lineEdit->clear();
    ui->lineEdit->setEnabled(checked);
}

void MainWindow::on_pushButton_14_clicked() { log->clear(); }

// While a loop runs the button stops it, whatever the editor holds.
void MainWindow::on_pushButton_13_clicked() { loop.running() ? stop_loop() : send_manual(); }

void MainWindow::send_manual()
{
    Link *link = link_for(ui->radioButton_11->isChecked());
    if (ui->plainTextEdit->document()->isEmpty() || !link)
        return;
    QStringList entries = command_entries(ui->plainTextEdit->toPlainText());
    if (entries.isEmpty())
        return;
    const bool looping = ui->checkBox->isChecked();
    if (looping) {
        switch (check_interval(ui->lineEdit->text())) {
        case IntervalCheck::Empty: inform(tr("The input is empty")); return;
        case IntervalCheck::OutOfScope:
            inform(tr("The scope of 0~3600000"));
            ui->lineEdit->clear();
            return;
        case IntervalCheck::Accepted: break;
        }
    }
    const QString first = entries.takeFirst();
    const SendResult result = sender.send(*link, first);
    if (result != SendResult::Sent) {
        report_failure(result, link->errorText());
        return;
    }
    if (looping) {
        ui->pushButton_13->setText(tr("Stop"));
        loop.start(entries << first, ui->lineEdit->text().toInt());
    }
}

void MainWindow::send_loop_entry(const QString &text)
{
    Link *link = link_for(ui->radioButton_11->isChecked());
    if (!link)
        return;
    const SendResult result = sender.send(*link, text);
    if (result == SendResult::Sent)
        return;
    // Stopped first: a box that came back at every tick would lock the
    // operator out.
    stop_loop();
    report_failure(result, link->errorText());
}

void MainWindow::stop_loop()
{
    loop.stop();
    ui->pushButton_13->setText(tr("Send"));
}

namespace {
struct Way {
    QPoint aim;
    const char *command;
};
const Way ways[] = {
    {{0, -1}, visca::pan_tilt_up},        {{0, 1}, visca::pan_tilt_down},
    {{-1, 0}, visca::pan_tilt_left},      {{1, 0}, visca::pan_tilt_right},
    {{-1, -1}, visca::pan_tilt_up_left},  {{1, -1}, visca::pan_tilt_up_right},
    {{-1, 1}, visca::pan_tilt_down_left}, {{1, 1}, visca::pan_tilt_down_right},
};
} // namespace

QList<QPushButton *> MainWindow::hold_buttons() const
{
    // The pad in the order of `ways`, then zoom and focus.
    return {ui->ptz_upButton,       ui->ptz_downButton,      ui->ptz_leftButton,
            ui->ptz_rightButton,    ui->ptz_leftupButton,    ui->ptz_rightupButton,
            ui->ptz_leftdownButton, ui->ptz_rightdownButton, ui->zoomin_Button,
            ui->zoomout_Button,     ui->focusin_Button,      ui->focusout_Button};
}

void MainWindow::aim(QPoint aim)
{
    // Keys do nothing where the buttons would do nothing.
    const bool driving = control.ready() && !aim.isNull();
    const QList<QPushButton *> pad = hold_buttons();
    for (int i = 0; i < 8; ++i)
        pad[i]->setDown(driving && ways[i].aim == aim);
    if (!driving) {
        control.stop_pan_tilt();
        return;
    }
    for (const Way &way : ways) {
        if (way.aim == aim)
            drive(way.command);
    }
}

bool MainWindow::show_key_held(QPushButton *plus, QPushButton *minus, int direction)
{
    const bool driving = control.ready() && direction != 0;
    plus->setDown(driving && direction > 0);
    minus->setDown(driving && direction < 0);
    return driving;
}

void MainWindow::zoom_key(int direction)
{
    if (show_key_held(ui->zoomin_Button, ui->zoomout_Button, direction))
        zoom(direction > 0 ? visca::zoom_tele : visca::zoom_wide);
    else
        control.stop_zoom();
}

void MainWindow::focus_key(int direction)
{
    if (show_key_held(ui->focusin_Button, ui->focusout_Button, direction))
        focus(direction > 0 ? visca::focus_near : visca::focus_far);
    else
        control.stop_focus();
}

void MainWindow::stop_held_drives()
{
    for (QPushButton *button : hold_buttons())
        button->setDown(false);
    control.stop_held_drives();
}
