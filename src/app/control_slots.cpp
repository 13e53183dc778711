// The PTZ and Manual tabs: each slot hands its press to the camera control
// or the console.

#include "app/mainwindow.h"
#include "console/console_text.h"
#include "console/message_log.h"
#include "ui_mainwindow.h"
#include "visca/commands.h"

// A press that does not come from the mouse (the space bar) reaches these
// slots; the mouse goes to the hold buttons directly, before the repaint.
void MainWindow::on_ptz_upButton_pressed() { hold_buttons->press(ui->ptz_upButton); }
void MainWindow::on_ptz_upButton_released() { hold_buttons->release(ui->ptz_upButton); }
void MainWindow::on_ptz_downButton_pressed() { hold_buttons->press(ui->ptz_downButton); }
void MainWindow::on_ptz_downButton_released() { hold_buttons->release(ui->ptz_downButton); }
void MainWindow::on_ptz_leftButton_pressed() { hold_buttons->press(ui->ptz_leftButton); }
void MainWindow::on_ptz_leftButton_released() { hold_buttons->release(ui->ptz_leftButton); }
void MainWindow::on_ptz_rightButton_pressed() { hold_buttons->press(ui->ptz_rightButton); }
void MainWindow::on_ptz_rightButton_released() { hold_buttons->release(ui->ptz_rightButton); }
void MainWindow::on_ptz_leftupButton_pressed() { hold_buttons->press(ui->ptz_leftupButton); }
void MainWindow::on_ptz_leftupButton_released() { hold_buttons->release(ui->ptz_leftupButton); }
void MainWindow::on_ptz_rightupButton_pressed() { hold_buttons->press(ui->ptz_rightupButton); }
void MainWindow::on_ptz_rightupButton_released() { hold_buttons->release(ui->ptz_rightupButton); }
void MainWindow::on_ptz_leftdownButton_pressed() { hold_buttons->press(ui->ptz_leftdownButton); }
void MainWindow::on_ptz_leftdownButton_released() { hold_buttons->release(ui->ptz_leftdownButton); }
void MainWindow::on_ptz_rightdownButton_pressed() { hold_buttons->press(ui->ptz_rightdownButton); }
void MainWindow::on_ptz_rightdownButton_released()
{
    hold_buttons->release(ui->ptz_rightdownButton);
}
void MainWindow::on_ptz_resetButton_clicked() { control.home(); }

void MainWindow::on_zoomin_Button_pressed() { hold_buttons->press(ui->zoomin_Button); }
void MainWindow::on_zoomin_Button_released() { hold_buttons->release(ui->zoomin_Button); }
void MainWindow::on_zoomout_Button_pressed() { hold_buttons->press(ui->zoomout_Button); }
void MainWindow::on_zoomout_Button_released() { hold_buttons->release(ui->zoomout_Button); }
void MainWindow::on_focusin_Button_pressed() { hold_buttons->press(ui->focusin_Button); }
void MainWindow::on_focusin_Button_released() { hold_buttons->release(ui->focusin_Button); }
void MainWindow::on_focusout_Button_pressed() { hold_buttons->press(ui->focusout_Button); }
void MainWindow::on_focusout_Button_released() { hold_buttons->release(ui->focusout_Button); }

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

QList<HoldButtons::Button> MainWindow::hold_button_drives() const
{
    using Axis = Holds::Axis;
    return {{ui->ptz_upButton, {Axis::PanTilt, {0, -1}}},
            {ui->ptz_downButton, {Axis::PanTilt, {0, 1}}},
            {ui->ptz_leftButton, {Axis::PanTilt, {-1, 0}}},
            {ui->ptz_rightButton, {Axis::PanTilt, {1, 0}}},
            {ui->ptz_leftupButton, {Axis::PanTilt, {-1, -1}}},
            {ui->ptz_rightupButton, {Axis::PanTilt, {1, -1}}},
            {ui->ptz_leftdownButton, {Axis::PanTilt, {-1, 1}}},
            {ui->ptz_rightdownButton, {Axis::PanTilt, {1, 1}}},
            {ui->zoomin_Button, {Axis::Zoom, {1, 0}}},
            {ui->zoomout_Button, {Axis::Zoom, {-1, 0}}},
            {ui->focusin_Button, {Axis::Focus, {1, 0}}},
            {ui->focusout_Button, {Axis::Focus, {-1, 0}}}};
}

Holds::Speeds MainWindow::chosen_speeds()
{
    // The speed boxes list the VISCA speeds themselves ("1" is speed 01).
    return {[this] { return ui->hcomboBox->currentText().toInt(); },
            [this] { return ui->vcomboBox->currentText().toInt(); },
            [this] { return ui->zoomcomboBox->currentText(); },
            [this] { return ui->focuscomboBox->currentText(); }};
}
