#ifndef ZARVICK_UDP_LINK_H
#define ZARVICK_UDP_LINK_H

#include "links/link.h"

#include <QHostAddress>
#include <QUdpSocket>

// VISCA over UDP: one datagram per command to the camera's address and
// port, both fixed when the link opens; one log line per datagram received
// from the camera's address (cameras answer from ports of their own).
// On the VISCA over IP port every datagram carries the 8-byte header, with
// a sequence number the link counts from a RESET sent when it opens; only
// the VISCA bytes reach the rest of the program.
class UdpLink : public Link
{
    Q_OBJECT

public:
    explicit UdpLink(QObject *parent = nullptr);
    void open(const QHostAddress &address, quint16 port);
    bool isOpen() const override;
    bool send(const QByteArray &bytes) override;
    void close() override;

private:
    void read();
    bool write(const QByteArray &datagram);

    QUdpSocket socket;
    QHostAddress camera;
    quint16 camera_port = 0;
    bool ready = false;
    bool over_ip = false;
    quint32 next_sequence = 0;
};

#endif
