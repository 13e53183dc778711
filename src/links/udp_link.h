#ifndef ZARVICK_UDP_LINK_H
#define ZARVICK_UDP_LINK_H

#include "links/link.h"

#include <QHostAddress>
#include <QUdpSocket>

// VISCA over UDP: one datagram per command to the camera's address and
// port, both fixed when the link opens; one log line per datagram received
// from the camera's address (cameras answer from ports of their own).
class UdpLink : public Link
{
public:
    explicit UdpLink(QObject *parent = nullptr);
    void open(const QHostAddress &address, quint16 port);
    bool isOpen() const override;
    bool send(const QByteArray &bytes) override;
    void close() override;

private:
    void read();

    QUdpSocket socket;
    QHostAddress camera;
    quint16 camera_port = 0;
    bool ready = false;
};

#endif
