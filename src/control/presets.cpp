#include "app/mainwindow.h"
#include "control/command_text.h"
#include "ui_mainwindow.h"

namespace {
const char *const preset_set_command = "81 01 04 3F 01 XX FF";
const char *const preset_call_command = "81 01 04 3F 02 XX FF";
} // namespace

void MainWindow::preset_send(int number)
{
    const QString command = ui->radioButton->isChecked() ? preset_set_command : preset_call_command;
    send_when_ready(QString(command).replace("XX", QString::number(number, 10)));
}

void MainWindow::preset_field_send(const QString &command)
{
    if (!link_ready())
        return;
    const int number = ui->lineEdit_2->text().toInt(nullptr, 10);
    if (number > 254 || number < 0) {
        inform(tr("Preset num error"));
        ui->lineEdit_2->clear();
        return;
    }
    send_visca(QString(command).replace("XX", preset_hex(number)));
}

void MainWindow::on_pushButton_clicked() { preset_field_send(preset_set_command); }
void MainWindow::on_pushButton_2_clicked() { preset_field_send(preset_call_command); }

void MainWindow::on_pushButton_3_clicked() { preset_send(0); }
void MainWindow::on_pushButton_4_clicked() { preset_send(1); }
void MainWindow::on_pushButton_5_clicked() { preset_send(2); }
void MainWindow::on_pushButton_6_clicked() { preset_send(3); }
void MainWindow::on_pushButton_7_clicked() { preset_send(4); }
void MainWindow::on_pushButton_8_clicked() { preset_send(5); }
void MainWindow::on_pushButton_9_clicked() { preset_send(6); }
void MainWindow::on_pushButton_10_clicked() { preset_send(7); }
void MainWindow::on_pushButton_11_clicked() { preset_send(8); }
void MainWindow::on_pushButton_12_clicked() { preset_send(9); }
