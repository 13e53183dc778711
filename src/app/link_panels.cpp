// The Serial and Net panels of the options box: open and close the links,
// and keep the panels in step with them.

#include "app/mainwindow.h"
#include "links/address_check.h"
#include "links/serial_ports.h"
#include "ui_mainwindow.h"
#include "visca/commands.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>

namespace {
const int tcp_connect_limit_ms = 3000;
} // namespace

void MainWindow::on_pushButton_16_clicked() { serial_open ? close_serial() : open_serial(); }

void MainWindow::open_serial()
{
    if (ui->ComPortcomboBox->currentIndex() < 0 && !missing_port.isEmpty()) {
        warn(tr("The serial port %1 is not present").arg(missing_port));
        return;
    }
    const SerialSettings settings =
        serial_settings(ui->ComPortcomboBox->currentText(), ui->BaucomboBox->currentText(),
                        ui->DataBitcomboBox->currentText(), ui->ParitycomboBox->currentIndex(),
                        ui->StopBitcomboBox->currentIndex());
    // An empty name would open the folder /dev ("Is a directory").
    const QString reason = settings.port.isEmpty()      ? tr("No serial port is chosen")
                           : serial_link.open(settings) ? QString()
                                                        : serial_link.errorText();
    if (!reason.isEmpty()) {
        tell(QMessageBox::Information, tr("warning"), tr("Open serial error"), reason);
        return;
    }
    serial_open = true;
    set_serial_idle(false);
}

void MainWindow::close_serial()
{
    holds.lose_all(); // its stops go out before the link closes
    serial_link.close();
    serial_open = false;
    set_serial_idle(true);
    stop_loop_without_link();
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
        ui->lineEdit_port->setText(QString::number(visca::tcp_port, 10));
}

void MainWindow::on_radioButton_udp_toggled(bool checked)
{
    if (checked)
        ui->lineEdit_port->setText(QString::number(visca::udp_port, 10));
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
    if (ui->radioButton_tcp->isChecked()) {
        set_net_connecting();
        tcp_link.open(address, port, tcp_connect_limit_ms);
        return;
    }
    udp_link.open(address, port);
    udp_ready = true;
    set_net_idle(false);
}

void MainWindow::tcp_opened()
{
    tcp_connected = true;
    set_net_idle(false);
}

void MainWindow::tcp_open_failed(const QString &reason, bool timed_out)
{
    set_net_idle(true);
    if (timed_out)
        warn(tr("Connection timeout"));
    else
        tell(QMessageBox::Warning, tr("warning"), tr("Connection failed"), reason);
}

void MainWindow::disconnect_net()
{
    holds.lose_all(); // its stops go out before the link closes
    tcp_link.close();
    udp_link.close();
    tcp_connected = false;
    udp_ready = false;
    set_net_idle(true);
    stop_loop_without_link();
}

void MainWindow::set_net_connecting()
{
    set_net_idle(false);
    ui->pushButton_15->setText(tr("Connect"));
    ui->pushButton_15->setEnabled(false);
}

void MainWindow::set_net_idle(bool idle)
{
    ui->pushButton_15->setEnabled(true);
    ui->lineEdit_ip->setEnabled(idle);
    ui->lineEdit_port->setEnabled(idle);
    ui->radioButton_tcp->setEnabled(idle);
    ui->radioButton_udp->setEnabled(idle);
    ui->pushButton_15->setText(idle ? tr("Connect") : tr("Disconnect"));
}

namespace {
// What makes a closed list box open its list.
bool opens_list(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        return static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool arrow = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up;
    return key->key() == Qt::Key_F4 || key->key() == Qt::Key_Space ||
           (arrow && key->modifiers() & Qt::AltModifier);
}
} // namespace

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // An adapter plugged in after the start shows up when the list opens.
    if (watched == ui->ComPortcomboBox && ui->ComPortcomboBox->isEnabled() && opens_list(event))
        refresh_port_list();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::refresh_port_list()
{
    // The open port's settings stay as they are while the link stands.
    if (serial_open)
        return;
    QComboBox *ports = ui->ComPortcomboBox;
    const QString wanted = ports->currentIndex() >= 0 ? ports->currentText() : missing_port;
    const QStringList names = system_port_names();
    QStringList listed;
    for (int i = 0; i < ports->count(); ++i)
        listed << ports->itemText(i);
    if (listed == names)
        return;
    ports->clear();
    ports->addItems(names);
    if (wanted.isEmpty())
        ports->setCurrentIndex(0);
    else
        select_port(wanted);
}

void MainWindow::select_port(const QString &name)
{
    // A missing port selects none: Start must not open another device in
    // its place, and the name is kept for when the port comes back.
    const int index = ui->ComPortcomboBox->findText(name, Qt::MatchExactly);
    ui->ComPortcomboBox->setCurrentIndex(index);
    missing_port = index < 0 ? name : QString();
}
