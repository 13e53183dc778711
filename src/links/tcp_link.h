#ifndef ZARVICK_TCP_LINK_H
#define ZARVICK_TCP_LINK_H

#include "links/link.h"

#include <QHostAddress>
#include <QTcpSocket>

// VISCA over TCP: one connection to the camera, each read logged as it came.
class TcpLink : public Link
{
public:
    explicit TcpLink(QObject *parent = nullptr);
    // Waits up to `timeout_ms` for the connection to stand.
    bool open(const QHostAddress &address, quint16 port, int timeout_ms);
    bool isOpen() const override;
    bool send(const QByteArray &bytes) override;
    void close() override;

private:
    void read();
    void socket_failed();

    QTcpSocket socket;
    bool connected = false;
};

#endif
