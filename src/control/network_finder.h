#ifndef ZARVICK_NETWORK_FINDER_H
#define ZARVICK_NETWORK_FINDER_H

#include "links/enquiry_socket.h"
#include "visca/discovery.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QTimer>

// Asks the network cameras who they are: the enquiry goes out once, and
// every camera that answers within the window is told once.
class NetworkFinder : public QObject
{
    Q_OBJECT

public:
    static constexpr int answer_window_ms = 2000;
    // A search lists at most this many cameras, one per MAC address.
    static constexpr int most_cameras = 256;
    using Target = QPair<QHostAddress, quint16>;

    // Where the enquiry goes. `chosen` is ZARVICK_DISCOVERY_TARGETS
    // ("ADDR:PORT,ADDR:PORT"), for tests and for networks that filter
    // broadcasts: when set, only there, and the answers come back to the
    // port the enquiry left from. Otherwise the broadcast address of each
    // IPv4 interface that is up and not loopback, and 255.255.255.255, at
    // 52380, where the answers come back as broadcasts too. Entries that
    // are no address and port are left out.
    static QList<Target> targets(const QByteArray &chosen);

    explicit NetworkFinder(QObject *parent = nullptr);
    // False, with the reason, when nothing could be sent.
    bool find(QString *error);
    bool finding() const { return window.isActive(); }

signals:
    void found(const visca::DiscoveryReply &reply);
    // The window is over: `cameras` answered.
    void finished(int cameras);

private:
    void take(const QByteArray &datagram, quint16 from_port);

    EnquirySocket socket;
    QTimer window;
    // The ports answers may come from: the enquiry's own.
    QSet<quint16> asked_ports;
    QSet<QString> answered;
};

#endif
