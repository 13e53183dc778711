#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QEventLoop>
#include <QTimer>

namespace {
const char *const focus_stop_command = "81 01 04 08 00 FF";
const char *const zoom_stop_command = "81 01 04 07 00 FF";
} // namespace

void MainWindow::zoom_drive(const QString &command)
{
    send_when_ready(QString(command).replace('P', ui->zoomcomboBox->currentText()));
}

void MainWindow::on_zoomin_Button_pressed() { zoom_drive("81 01 04 07 2P FF"); }
void MainWindow::on_zoomout_Button_pressed() { zoom_drive("81 01 04 07 3P FF"); }

void MainWindow::on_zoomin_Button_released() { send_when_ready(zoom_stop_command); }
void MainWindow::on_zoomout_Button_released() { send_when_ready(zoom_stop_command); }

void MainWindow::focus_drive(const QString &command)
{
    if (!link_ready())
        return;
    ++focus_presses_waiting;
    manual_focus();
    send_visca(QString(command).replace('P', ui->focuscomboBox->currentText()));
    --focus_presses_waiting;
    // A release that came during the wait sends its stop now, after the
    // drive, so the camera does not go on focusing after the button is up.
    if (focus_presses_waiting == 0 && focus_release_held) {
        focus_release_held = false;
        send_visca(focus_stop_command);
    }
}

void MainWindow::focus_stop()
{
    if (!link_ready())
        return;
    if (focus_presses_waiting > 0)
        focus_release_held = true;
    else
        send_visca(focus_stop_command);
}

void MainWindow::on_focusin_Button_pressed() { focus_drive("81 01 04 08 3P FF"); }
void MainWindow::on_focusin_Button_released() { focus_stop(); }
void MainWindow::on_focusout_Button_pressed() { focus_drive("81 01 04 08 2P FF"); }
void MainWindow::on_focusout_Button_released() { focus_stop(); }

void MainWindow::manual_focus()
{
    send_visca("81 01 04 38 03 FF");
    delay_msec(50);
}

void MainWindow::delay_msec(int msec)
{
    // Other slots (replies, timers, buttons) keep running during the wait;
    // a nested loop woken by a timer does that without spinning the CPU.
    QEventLoop loop;
    QTimer::singleShot(msec, &loop, &QEventLoop::quit);
    loop.exec();
}
