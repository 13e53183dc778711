#include "app/mainwindow.h"
#include "links/hex_text.h"
#include "links/serial_settings.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QMessageBox>

void MainWindow::on_pushButton_16_clicked()
{
    if (ui->pushButton_16->text() == tr("Close")) {
        serial_port->close();
        set_serial_idle(true);
        serial_open = false;
        return;
    }

    delete serial_port;
    serial_port = new QSerialPort(ui->ComPortcomboBox->currentText());
    connect(serial_port, &QSerialPort::errorOccurred, this, &MainWindow::serial_error);
    // Baud rate and data bits go by the item's text ("11520" asks for 11520
    // baud), parity and stop bits by the item's position.
    serial_port->setBaudRate(ui->BaucomboBox->currentText().toInt(nullptr, 10));
    QSerialPort::DataBits data_bits;
    if (data_bits_for_text(ui->DataBitcomboBox->currentText(), &data_bits))
        serial_port->setDataBits(data_bits);
    QSerialPort::Parity parity;
    if (parity_for_index(ui->ParitycomboBox->currentIndex(), &parity))
        serial_port->setParity(parity);
    QSerialPort::StopBits stop_bits;
    if (stop_bits_for_index(ui->StopBitcomboBox->currentIndex(), &stop_bits))
        serial_port->setStopBits(stop_bits);
    serial_port->setFlowControl(QSerialPort::NoFlowControl);

    if (serial_port->open(QIODevice::ReadWrite)) {
        set_serial_idle(false);
        serial_open = true;
        connect(serial_port, &QSerialPort::readyRead, this, &MainWindow::readMyCom);
    } else {
        QMessageBox::information(this, tr("warning"), tr("Open serial error"), QMessageBox::Ok);
    }
}

void MainWindow::set_serial_idle(bool idle)
{
    ui->graphicsView->setStyleSheet(idle ? "background-color: rgb(0, 0, 0)"
                                         : "background-color: rgb(0, 255, 0)");
    ui->ComPortcomboBox->setEnabled(idle);
    ui->BaucomboBox->setEnabled(idle);
    ui->DataBitcomboBox->setEnabled(idle);
    ui->ParitycomboBox->setEnabled(idle);
    ui->StopBitcomboBox->setEnabled(idle);
    ui->pushButton_16->setText(idle ? tr("Start") : tr("Close"));
}

void MainWindow::readMyCom() { log_received(cut_packets(rx_packet, serial_port->readAll())); }

void MainWindow::serial_error(QSerialPort::SerialPortError error)
{
    // A device that went away (unplugged adapter, hung-up terminal) keeps
    // failing at full speed until the port is closed, and every command
    // written to it is lost: give the panel back to the operator.
    if (!serial_open || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    qDebug() << serial_port->errorString();
    serial_port->close();
    set_serial_idle(true);
    serial_open = false;
}
