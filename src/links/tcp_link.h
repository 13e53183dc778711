#ifndef ZARVICK_TCP_LINK_H
#define ZARVICK_TCP_LINK_H

#include "links/link.h"
#include "links/stream_queue.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

// VISCA over TCP: one connection to the camera, each read logged as it came.
// Connecting never holds the event loop: a release of a drive held on
// another link must still get through while the camera is being reached.
// A message goes to the socket only once the system took the one before:
// what waits stays in the lanes, where a stop can go ahead of the console's.
class TcpLink : public Link
{
    Q_OBJECT

public:
    // How long a connection may take to stand.
    static constexpr int connect_limit_ms = 3000;

    explicit TcpLink(QObject *parent = nullptr);
    ~TcpLink() override;
    // Starts connecting; `opened` or `open_failed` follows within
    // `timeout_ms`.
    void open(const QHostAddress &address, quint16 port, int timeout_ms);
    // Connects again where the last open() went.
    void reopen() { open(peer_address, peer_port, limit_ms); }
    bool isConnecting() const { return limit.isActive(); }
    bool isOpen() const override;
    bool send(const QByteArray &bytes, Lane lane = Lane::Console) override;
    // Also gives up a connection still being made, without a signal.
    qint64 unsent() const override;

signals:
    void open_failed(const QString &reason, bool timed_out);

protected:
    void shut() override;

private:
    void read();
    void pump();
    void socket_connected();
    void socket_failed();
    void give_up(const QString &reason, bool timed_out);

    QTcpSocket socket;
    QHostAddress peer_address;
    quint16 peer_port = 0;
    int limit_ms = 0;
    QTimer limit;
    QTimer more_to_read;
    StreamQueue queue;
    bool connected = false;
};

#endif
