#include "links/udp_link.h"

#include "visca/commands.h"
#include "visca/replies.h"
#include "visca/visca_over_ip.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>

namespace {
// A flood of datagrams is read a slice a turn: bounded in time, in
// datagrams and in bytes (Link::read_slice), as the work a slice makes
// (cutting, matching, the log) grows with each.
const int read_slice_datagrams = 512;
} // namespace

UdpLink::UdpLink(QObject *parent) : Link(parent), socket(this)
{
    connect(&socket, &QUdpSocket::readyRead, this, &UdpLink::read);
    more_to_read.setSingleShot(true);
    more_to_read.setInterval(0);
    connect(&more_to_read, &QTimer::timeout, this, &UdpLink::read);
}

void UdpLink::open(const QHostAddress &address, quint16 port, bool numbered)
{
    camera = address;
    camera_port = port;
    ready = true;
    over_ip = numbered;
    // The camera may still expect the numbers of an earlier session.
    if (over_ip)
        reset_numbering();
    emit opened();
}

void UdpLink::reset_numbering()
{
    next_sequence = 0;
    last_sequence = -1;
    outstanding.clear();
    write(
        visca_over_ip::pack(visca_over_ip::control, next_sequence++, visca_over_ip::reset_payload));
}

bool UdpLink::isOpen() const { return ready; }

bool UdpLink::send(const QByteArray &bytes, Lane)
{
    if (!ready)
        return failed(QStringLiteral("not ready"));
    return over_ip ? send_numbered(bytes) : write(bytes);
}

bool UdpLink::send_numbered(const QByteArray &visca, qint64 first_number)
{
    const bool sent_again = first_number >= 0;
    const quint32 sequence = next_sequence++;
    if (!write(visca_over_ip::pack(visca_over_ip::type_of(visca), sequence, visca)))
        return false;
    // A camera that never answers must not make the table grow.
    if (outstanding.size() >= most_outstanding)
        outstanding.erase(outstanding.begin());
    outstanding.insert(sequence, {visca, sent_again, false, sent_again ? first_number : sequence});
    last_sequence = sequence;
    return true;
}

bool UdpLink::write(const QByteArray &datagram)
{
    // The socket binds itself to a port of the system's choosing at its
    // first datagram; the camera answers there.
    if (socket.writeDatagram(datagram, camera, camera_port) != datagram.size())
        return failed(socket.errorString());
    return true;
}

void UdpLink::shut()
{
    ready = false;
    outstanding.clear();
    more_to_read.stop();
    socket.close();
}

void UdpLink::read()
{
    QList<QByteArray> datagrams;
    QList<qint64> answering;
    QElapsedTimer slice;
    slice.start();
    int taken = 0;
    qint64 bytes = 0;
    while (socket.hasPendingDatagrams()) {
        if (++taken > read_slice_datagrams || bytes >= read_slice ||
            slice.elapsed() >= read_slice_ms) {
            more_to_read.start();
            break;
        }
        const QNetworkDatagram datagram = socket.receiveDatagram();
        bytes += datagram.data().size();
        // Anyone can send to this port, from any port of the camera's host
        // too: only the camera's own datagrams are its replies.
        if (datagram.senderPort() != camera_port ||
            !datagram.senderAddress().isEqual(camera, QHostAddress::TolerantConversion))
            continue;
        QByteArray visca = datagram.data();
        qint64 sequence = -1;
        if (!over_ip || take_over_ip(datagram.data(), &visca, &sequence)) {
            datagrams << visca;
            answering << sequence;
        }
    }
    if (!datagrams.isEmpty()) {
        numbers = answering;
        emit received(datagrams);
    }
}

bool UdpLink::take_over_ip(const QByteArray &datagram, QByteArray *visca, qint64 *sequence)
{
    namespace ip = visca_over_ip;
    const auto message = ip::unpack(datagram);
    if (!message)
        return false;
    const auto sent = outstanding.find(message->sequence);
    if (sent == outstanding.end())
        return false; // a number never sent, or answered in full already
    if (message->type == ip::control_reply && message->payload == ip::sequence_error) {
        // The camera lost count (restarted, or another controller reset
        // it): count afresh and try the message once more, unless a later
        // message went meanwhile (a drive must never follow its stop). A
        // message the camera acknowledged was taken: nothing to do.
        if (sent->acknowledged)
            return false;
        const Outstanding again = sent.value();
        const bool newest = message->sequence + 1 == next_sequence;
        outstanding.erase(sent);
        if (!again.sent_again) {
            reset_numbering();
            if (newest)
                send_numbered(again.visca, again.first_number);
        }
        return false;
    }
    *sequence = sent->first_number;
    if (message->type == ip::control_reply && message->payload == ip::message_error) {
        // The camera refused the message: the operator sees it as a reply.
        outstanding.erase(sent);
        *visca = message->payload;
        return true;
    }
    if (message->type != ip::reply)
        return false;
    // An ACK leaves the completion to come; anything else ends the message.
    const auto reply = visca::read_reply(message->payload);
    if (reply && reply->kind == visca::ReplyKind::Ack) {
        if (sent->acknowledged)
            return false;
        sent->acknowledged = true;
    } else {
        outstanding.erase(sent);
    }
    *visca = message->payload;
    return true;
}

void UdpLink::read_waiting()
{
    // Before its first datagram the socket has no port to read from.
    if (socket.state() == QAbstractSocket::BoundState)
        read();
}
