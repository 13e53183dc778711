#include "links/udp_link.h"

#include "visca/commands.h"
#include "visca/visca_over_ip.h"

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
    over_ip = port == visca::visca_over_ip_port;
    next_sequence = 0;
    // The camera may still expect the numbers of an earlier session.
    if (over_ip)
        write(visca_over_ip::pack(visca_over_ip::control, next_sequence++,
                                  visca_over_ip::reset_payload));
}

bool UdpLink::isOpen() const { return ready; }

bool UdpLink::send(const QByteArray &bytes)
{
    if (!ready)
        return failed(QStringLiteral("not ready"));
    if (!over_ip)
        return write(bytes);
    return write(visca_over_ip::pack(visca_over_ip::type_of(bytes), next_sequence++, bytes));
}

bool UdpLink::write(const QByteArray &datagram)
{
    // The socket binds itself to a port of the system's choosing at its
    // first datagram; the camera answers there.
    if (socket.writeDatagram(datagram, camera, camera_port) != datagram.size())
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
        if (!datagram.senderAddress().isEqual(camera, QHostAddress::TolerantConversion))
            continue;
        if (!over_ip) {
            datagrams << datagram.data();
            continue;
        }
        // Control replies (the RESET's acknowledgement, sequence errors)
        // are the link's business, not VISCA replies.
        const auto message = visca_over_ip::unpack(datagram.data());
        if (message && message->type == visca_over_ip::reply)
            datagrams << message->payload;
    }
    if (!datagrams.isEmpty())
        emit received(datagrams);
}
