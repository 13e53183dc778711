#include "links/tcp_link.h"

#include <QDebug>
#include <utility>

namespace {
const int send_buffer = 8 * 1024;
} // namespace

TcpLink::TcpLink(QObject *parent) : Link(parent), socket(this)
{
    more_to_read.setSingleShot(true);
    more_to_read.setInterval(0);
    connect(&more_to_read, &QTimer::timeout, this, &TcpLink::read);
    // Queued: flush() reports what it wrote from within the write, before
    // the queue has let go of the message.
    connect(&socket, &QTcpSocket::bytesWritten, this, &TcpLink::pump, Qt::QueuedConnection);
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this,
            [this] { give_up(QStringLiteral("Connection timed out"), true); });
    // Qt would otherwise take all a flood brings into memory at once.
    socket.setReadBufferSize(4 * read_slice);
    connect(&socket, &QTcpSocket::connected, this, &TcpLink::socket_connected);
    connect(&socket, &QTcpSocket::readyRead, this, &TcpLink::read);
    connect(&socket, &QTcpSocket::errorOccurred, this, &TcpLink::socket_failed);
    // A connection closed without an error signal (the socket's own
    // clean-up after one) must not look connected either.
    connect(&socket, &QTcpSocket::disconnected, this, [this] {
        if (connected)
            socket_failed();
    });
}

TcpLink::~TcpLink()
{
    // The socket says `disconnected` as it goes, after the link's members.
    disconnect(&socket, nullptr, this, nullptr);
}

void TcpLink::open(const QHostAddress &address, quint16 port, int timeout_ms)
{
    close();
    peer_address = address;
    peer_port = port;
    limit_ms = timeout_ms;
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
    // What the system holds for a camera that stopped reading is beyond the
    // reach of a stop: keep it small, the lanes hold the rest.
    socket.setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, send_buffer);
    connected = true;
    queue.clear();
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

bool TcpLink::send(const QByteArray &bytes, Lane lane)
{
    if (!connected)
        return failed(QStringLiteral("not connected"));
    if (!queue.take(bytes, lane))
        return refuse_backlogged();
    pump();
    return true;
}

void TcpLink::pump()
{
    // The socket takes a message whole; the next waits until the system
    // has taken it, so that nothing piles up where no stop can pass it.
    const bool written = queue.flush([this](const QByteArray &message) -> qint64 {
        if (socket.bytesToWrite() > 0)
            return 0;
        const qint64 taken = socket.write(message);
        socket.flush();
        return taken;
    });
    if (!written)
        return; // the socket reports its error itself
    note_unsent();
}

qint64 TcpLink::unsent() const { return queue.size() + socket.bytesToWrite(); }

void TcpLink::shut()
{
    limit.stop();
    more_to_read.stop();
    // A stop sent last still leaves, with what waits before it; a
    // connection being made is dropped.
    if (std::exchange(connected, false)) {
        queue.flush([this](const QByteArray &message) { return socket.write(message); });
        // Handed to the system now: the program may be ending, with no
        // event loop left to write them.
        socket.flush();
        socket.close();
    } else {
        socket.abort();
    }
    queue.clear();
}

void TcpLink::read()
{
    const QByteArray data = socket.read(read_slice);
    if (socket.bytesAvailable() > 0)
        more_to_read.start();
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
    // A connection the camera dropped must not go on looking connected
    // while every command is lost.
    const bool was_connected = std::exchange(connected, false);
    socket.close();
    queue.clear();
    more_to_read.stop();
    if (was_connected)
        emit lost(reason);
}
