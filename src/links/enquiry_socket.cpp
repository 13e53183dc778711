#include "links/enquiry_socket.h"

#include "links/link.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {
// No enquiry answer is longer.
const int largest_datagram = 2048;
} // namespace

EnquirySocket::EnquirySocket(QObject *parent) : QObject(parent)
{
    more_to_read.setSingleShot(true);
    more_to_read.setInterval(0);
    connect(&more_to_read, &QTimer::timeout, this, &EnquirySocket::read);
}

EnquirySocket::~EnquirySocket() = default;

bool EnquirySocket::open(quint16 shared_port, QString *error)
{
    close();
    socket = std::make_unique<QUdpSocket>();
    connect(socket.get(), &QUdpSocket::readyRead, this, &EnquirySocket::read);
    // The answers are broadcast on the cameras' network, so the socket
    // takes datagrams on every address; it is no interface of the
    // program's: it lives for one search, and its reader takes only
    // enquiry answers from the ports asked.
    if (shared_port != 0 && socket->bind(QHostAddress::AnyIPv4, shared_port,
                                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return true;
    if (socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return true;
    *error = socket->errorString();
    return false;
}

bool EnquirySocket::send(const QByteArray &datagram, const QHostAddress &address, quint16 port)
{
    return socket && socket->writeDatagram(datagram, address, port) > 0;
}

void EnquirySocket::close()
{
    more_to_read.stop();
    socket.reset();
}

QString EnquirySocket::errorText() const { return socket ? socket->errorString() : QString(); }

void EnquirySocket::read()
{
    QElapsedTimer slice;
    slice.start();
    while (socket && socket->hasPendingDatagrams()) {
        if (slice.elapsed() >= Link::read_slice_ms) {
            more_to_read.start();
            return;
        }
        const QNetworkDatagram datagram = socket->receiveDatagram(largest_datagram);
        emit received(datagram.data(), quint16(datagram.senderPort()));
    }
}
