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

// The two Mode pairs are exclusive, so "not serial" is the network.
void MainWindow::send_and_log(const QString &text, bool serial)
{
    if (serial)
        serial_send(text);
    else
        net_send(text);
    log_message(text, true);
}

void MainWindow::send_visca(const QString &text)
{
    send_and_log(text, ui->radioButton_9->isChecked());
}

void MainWindow::send_when_ready(const QString &text)
{
    if (link_ready())
        send_visca(text);
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
