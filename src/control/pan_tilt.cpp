#include "app/mainwindow.h"
#include "control/command_text.h"
#include "ui_mainwindow.h"

void MainWindow::pan_tilt_drive(const QString &command)
{
    if (!link_ready())
        return;
    const int tilt = ui->vcomboBox->currentIndex();
    const int pan = ui->hcomboBox->currentIndex();
    send_visca(speed_replace(command, static_cast<quint8>(pan), static_cast<quint8>(tilt)));
}

namespace {
// The stop carries no speed: one text for all eight buttons.
const char *const pan_tilt_stop = "81 01 06 01 03 03 03 03 FF";
} // namespace

void MainWindow::on_ptz_upButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 03 01 FF"); }
void MainWindow::on_ptz_upButton_released() { send_when_ready(pan_tilt_stop); }
void MainWindow::on_ptz_downButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 03 02 FF"); }
void MainWindow::on_ptz_downButton_released() { send_when_ready(pan_tilt_stop); }
void MainWindow::on_ptz_leftButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 01 03 FF"); }
void MainWindow::on_ptz_leftButton_released() { send_when_ready(pan_tilt_stop); }
void MainWindow::on_ptz_rightButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 02 03 FF"); }
void MainWindow::on_ptz_rightButton_released() { send_when_ready(pan_tilt_stop); }
void MainWindow::on_ptz_leftupButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 01 01 FF"); }
void MainWindow::on_ptz_leftupButton_released() { send_when_ready(pan_tilt_stop); }
void MainWindow::on_ptz_rightupButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 02 01 FF"); }
void MainWindow::on_ptz_rightupButton_released() { send_when_ready(pan_tilt_stop); }
void MainWindow::on_ptz_leftdownButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 01 02 FF"); }
void MainWindow::on_ptz_leftdownButton_released() { send_when_ready(pan_tilt_stop); }
void MainWindow::on_ptz_rightdownButton_pressed() { pan_tilt_drive("81 01 06 01 HK VN 02 02 FF"); }
void MainWindow::on_ptz_rightdownButton_released() { send_when_ready(pan_tilt_stop); }

void MainWindow::on_ptz_resetButton_clicked() { send_when_ready("81 01 06 04 FF"); }
