#include "app/mainwindow.h"
#include "control/command_text.h"
#include "ui_mainwindow.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QUdpSocket>

bool MainWindow::link_open(bool serial) const
{
    if (serial)
        return serial_open;
    return ui->radioButton_tcp->isChecked() ? tcp_connected : udp_ready;
}

bool MainWindow::link_ready() const { return link_open(ui->radioButton_9->isChecked()); }

void MainWindow::send_visca(const QString &text)
{
    if (ui->radioButton_9->isChecked())
        serial_send(text);
    else if (ui->radioButton_10->isChecked())
        net_send(text);
    log_message(text, true);
}

bool MainWindow::encode_command(const QString &text, QByteArray *bytes)
{
    bool ok = false;
    *bytes = command_bytes(text, &ok);
    if (!ok)
        inform(tr("Command format error"));
    return ok;
}

// The writers flush right after the write: the buffered devices would
// otherwise send only on the next event-loop turn, after the log line.

void MainWindow::serial_send(const QString &text)
{
    QByteArray bytes;
    if (!encode_command(text, &bytes) || !serial_port)
        return;
    serial_port->write(bytes.constData(), bytes.size());
    serial_port->flush();
}

void MainWindow::net_send(const QString &text)
{
    QByteArray bytes;
    if (!encode_command(text, &bytes))
        return;
    if (ui->radioButton_tcp->isChecked()) {
        tcp_socket->write(bytes.constData(), bytes.size());
        tcp_socket->flush();
    } else if (udp_peer) {
        const auto port = static_cast<quint16>(ui->lineEdit_port->text().toInt(nullptr, 10));
        udp_socket->writeDatagram(bytes.constData(), bytes.size(), *udp_peer, port);
    }
}
