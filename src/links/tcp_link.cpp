#include "links/tcp_link.h"

#include <QDebug>
#include <utility>

TcpLink::TcpLink(QObject *parent) : Link(parent), socket(this)
{
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this,
            [this] { give_up(QStringLiteral("Connection timed out"), true); });
    connect(&socket, &QTcpSocket::connected, this, &TcpLink::socket_connected);
    connect(&socket, &QTcpSocket::readyRead, this, &TcpLink::read);
    connect(&socket, &QTcpSocket::errorOccurred, this, &TcpLink::socket_failed);
}

void TcpLink::open(const QHostAddress &address, quint16 port, int timeout_ms)
{
    close();
    limit.start(timeout_ms);
    socket.connectToHost(address, port);
}

void TcpLink::socket_connected()
{
    limit.stop();
    // A stop right after a drive must not wait for the camera's
    // acknowledgement of the drive (Nagle with delayed ACKs holds a small
    // segment for up to some hundred milliseconds).
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connected = true;
    emit opened();
}

void TcpLink::give_up(const QString &reason, bool timed_out)
{
    limit.stop();
    socket.abort();
    failed(reason);
    emit open_failed(reason, timed_out);
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
    limit.stop();
    // A stop written last still leaves; a connection being made is dropped.
    if (std::exchange(connected, false))
        socket.close();
    else
        socket.abort();
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
    if (isConnecting()) {
        give_up(reason, socket.error() == QAbstractSocket::SocketTimeoutError);
        return;
    }
    socket.close();
    // A connection the camera dropped must not go on looking connected
    // while every command is lost.
    if (connected) {
        connected = false;
        emit lost(reason);
    }
}
