#include "links/tcp_link.h"

#include <QDebug>

TcpLink::TcpLink(QObject *parent) : Link(parent), socket(this)
{
    connect(&socket, &QTcpSocket::readyRead, this, &TcpLink::read);
    connect(&socket, &QTcpSocket::errorOccurred, this, &TcpLink::socket_failed);
}

bool TcpLink::open(const QHostAddress &address, quint16 port, int timeout_ms)
{
    socket.connectToHost(address, port);
    if (!socket.waitForConnected(timeout_ms)) {
        const QString reason = socket.errorString();
        socket.close();
        return failed(reason);
    }
    // A stop right after a drive must not wait for the camera's
    // acknowledgement of the drive (Nagle with delayed ACKs holds a small
    // segment for up to some hundred milliseconds).
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connected = true;
    return true;
}

bool TcpLink::isOpen() const { return connected; }

bool TcpLink::send(const QByteArray &bytes)
{
    if (!connected)
        return failed(QStringLiteral("not connected"));
    if (socket.write(bytes) != bytes.size())
        return failed(socket.errorString());
    socket.flush();
    return true;
}

void TcpLink::close()
{
    connected = false;
    socket.close();
}

void TcpLink::read()
{
    const QByteArray data = socket.readAll();
    if (!data.isEmpty())
        emit received({data});
}

void TcpLink::socket_failed()
{
    const QString reason = socket.errorString();
    qDebug() << reason;
    socket.close();
    // A connection the camera dropped must not go on looking connected
    // while every command is lost.
    if (connected) {
        connected = false;
        emit lost(reason);
    }
}
