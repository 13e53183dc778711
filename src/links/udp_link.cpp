#include "links/udp_link.h"

#include <QNetworkDatagram>

UdpLink::UdpLink(QObject *parent) : Link(parent), socket(this)
{
    connect(&socket, &QUdpSocket::readyRead, this, &UdpLink::read);
}

void UdpLink::open(const QHostAddress &address, quint16 port)
{
    camera = address;
    camera_port = port;
    ready = true;
}

bool UdpLink::isOpen() const { return ready; }

bool UdpLink::send(const QByteArray &bytes)
{
    if (!ready)
        return failed(QStringLiteral("not ready"));
    // The socket binds itself to a port of the system's choosing at its
    // first datagram; the camera answers there.
    if (socket.writeDatagram(bytes, camera, camera_port) != bytes.size())
        return failed(socket.errorString());
    return true;
}

void UdpLink::close()
{
    ready = false;
    socket.close();
}

void UdpLink::read()
{
    QList<QByteArray> datagrams;
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket.receiveDatagram();
        // Anyone on the network can send to this port: only the camera's
        // datagrams are its replies.
        if (datagram.senderAddress().isEqual(camera, QHostAddress::TolerantConversion))
            datagrams << datagram.data();
    }
    if (!datagrams.isEmpty())
        emit received(datagrams);
}
