#include "app/mainwindow.h"
#include "links/address_check.h"
#include "links/hex_text.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QHostAddress>
#include <QTcpSocket>
#include <QUdpSocket>

void MainWindow::init_tcp_socket()
{
    tcp_socket = new QTcpSocket(this);
    connect(tcp_socket, &QTcpSocket::readyRead, this, &MainWindow::readMessage);
    connect(tcp_socket, &QTcpSocket::errorOccurred, this, &MainWindow::displayError);
}

void MainWindow::on_radioButton_tcp_toggled(bool checked)
{
    if (checked)
        ui->lineEdit_port->setText(QString::number(5678, 10));
}

void MainWindow::on_radioButton_udp_toggled(bool checked)
{
    if (checked)
        ui->lineEdit_port->setText(QString::number(1259, 10));
}

void MainWindow::set_net_idle(bool idle)
{
    ui->lineEdit_ip->setEnabled(idle);
    ui->lineEdit_port->setEnabled(idle);
    ui->radioButton_tcp->setEnabled(idle);
    ui->radioButton_udp->setEnabled(idle);
    ui->pushButton_15->setText(idle ? tr("Connect") : tr("Disconnect"));
}

void MainWindow::on_pushButton_15_clicked()
{
    if (ui->pushButton_15->text() == tr("Disconnect")) {
        if (ui->radioButton_tcp->isChecked()) {
            tcp_socket->close();
            tcp_connected = false;
        }
        if (ui->radioButton_udp->isChecked()) {
            udp_socket->close();
            udp_ready = false;
        }
        set_net_idle(true);
        return;
    }

    const QString address = ui->lineEdit_ip->text();
    if (address.isEmpty() || ui->lineEdit_port->text().isEmpty()) {
        inform(tr("Network information fill in error"));
        return;
    }
    if (!check_ip(address)) {
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
        tcp_socket->connectToHost(address, port, QIODevice::ReadWrite,
                                  QAbstractSocket::AnyIPProtocol);
        if (tcp_socket->waitForConnected(3000)) {
            // A stop right after a drive must not wait for the camera's
            // acknowledgement of the drive (Nagle with delayed ACKs holds a
            // small segment for up to some hundred milliseconds).
            tcp_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            tcp_connected = true;
            set_net_idle(false);
        } else {
            warn(tr("Connection timeout"));
            tcp_connected = false;
            tcp_socket->close();
        }
    }
    if (ui->radioButton_udp->isChecked()) {
        // Text that passes the dotted check can still be no address ("1.2.3.G"):
        // Qt would then report every datagram as sent while delivering none.
        const QHostAddress peer(address);
        if (peer.protocol() != QAbstractSocket::IPv4Protocol) {
            warn(tr("Network information fill in error"));
            return;
        }
        delete udp_peer;
        udp_peer = new QHostAddress(peer);
        udp_ready = true;
        set_net_idle(false);
    }
}

void MainWindow::readMessage()
{
    const QByteArray data = tcp_socket->readAll();
    if (!data.isEmpty())
        log_message(hex_text(data), false);
}

void MainWindow::receive_visca()
{
    QStringList datagrams;
    while (udp_socket->hasPendingDatagrams()) {
        QByteArray datagram(static_cast<int>(udp_socket->pendingDatagramSize()), '\0');
        udp_socket->readDatagram(datagram.data(), datagram.size());
        datagrams << hex_text(datagram);
    }
    log_received(datagrams);
}

void MainWindow::displayError(QAbstractSocket::SocketError)
{
    qDebug() << tcp_socket->errorString();
    tcp_socket->close();
    // A connection the camera dropped must not go on looking connected while
    // every command is lost.
    if (tcp_connected) {
        tcp_connected = false;
        set_net_idle(true);
    }
}
