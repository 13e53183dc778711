// The Serial and Net panels of the options box: open and close the links,
// and keep the panels in step with them.

#include "app/mainwindow.h"
#include "links/address_check.h"
#include "links/serial_ports.h"
#include "ui_mainwindow.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>

namespace {
const int tcp_connect_limit_ms = 3000;
const quint16 tcp_default_port = 5678;
const quint16 udp_default_port = 1259;
} // namespace

void MainWindow::on_pushButton_16_clicked() { serial_open ? close_serial() : open_serial(); }

void MainWindow::open_serial()
{
    const SerialSettings settings =
        serial_settings(ui->ComPortcomboBox->currentText(), ui->BaucomboBox->currentText(),
                        ui->DataBitcomboBox->currentText(), ui->ParitycomboBox->currentIndex(),
                        ui->StopBitcomboBox->currentIndex());
    if (!serial_link.open(settings)) {
        QMessageBox::information(this, tr("warning"), tr("Open serial error"), QMessageBox::Ok);
        return;
    }
    serial_open = true;
    set_serial_idle(false);
}

void MainWindow::close_serial()
{
    serial_link.close();
    serial_open = false;
    set_serial_idle(true);
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

void MainWindow::on_radioButton_tcp_toggled(bool checked)
{
    if (checked)
        ui->lineEdit_port->setText(QString::number(tcp_default_port, 10));
}

void MainWindow::on_radioButton_udp_toggled(bool checked)
{
    if (checked)
        ui->lineEdit_port->setText(QString::number(udp_default_port, 10));
}

void MainWindow::on_pushButton_15_clicked() { net_link_up() ? disconnect_net() : connect_net(); }

void MainWindow::connect_net()
{
    if (ui->lineEdit_ip->text().isEmpty() || ui->lineEdit_port->text().isEmpty()) {
        inform(tr("Network information fill in error"));
        return;
    }
    QHostAddress address;
    if (!parse_camera_address(ui->lineEdit_ip->text(), &address)) {
        warn(tr("Network information fill in error"));
        return;
    }
    // Out of range, the port would be cut to 16 bits and reach another
    // service (70000 becomes 4464).
    quint16 port = 0;
    if (!parse_port(ui->lineEdit_port->text(), &port)) {
        warn(tr("Port information fill in error"));
        return;
    }
    if (ui->radioButton_udp->isChecked()) {
        udp_link.open(address, port);
        udp_ready = true;
    } else if (tcp_link.open(address, port, tcp_connect_limit_ms)) {
        tcp_connected = true;
    } else {
        warn(tr("Connection timeout"));
        return;
    }
    set_net_idle(false);
}

void MainWindow::disconnect_net()
{
    tcp_link.close();
    udp_link.close();
    tcp_connected = false;
    udp_ready = false;
    set_net_idle(true);
}

void MainWindow::set_net_idle(bool idle)
{
    ui->lineEdit_ip->setEnabled(idle);
    ui->lineEdit_port->setEnabled(idle);
    ui->radioButton_tcp->setEnabled(idle);
    ui->radioButton_udp->setEnabled(idle);
    ui->pushButton_15->setText(idle ? tr("Connect") : tr("Disconnect"));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // An adapter plugged in after the start shows up when the list opens.
    if (watched == ui->ComPortcomboBox && ui->ComPortcomboBox->isEnabled()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool opens = (event->type() == QEvent::MouseButtonPress &&
                            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) ||
                           (event->type() == QEvent::KeyPress &&
                            (key->key() == Qt::Key_F4 || key->key() == Qt::Key_Space ||
                             ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) &&
                              key->modifiers() & Qt::AltModifier)));
        if (opens)
            refresh_port_list();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::refresh_port_list()
{
    // The open port's settings stay as they are while the link stands.
    if (serial_open)
        return;
    QComboBox *ports = ui->ComPortcomboBox;
    const QString current = ports->currentText();
    const QStringList names = system_port_names();
    QStringList listed;
    for (int i = 0; i < ports->count(); ++i)
        listed << ports->itemText(i);
    if (listed == names)
        return;
    ports->clear();
    ports->addItems(names);
    ports->setCurrentIndex(qMax(0, names.indexOf(current)));
}
