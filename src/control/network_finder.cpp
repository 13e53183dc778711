#include "control/network_finder.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

namespace {
const char *const targets_variable = "ZARVICK_DISCOVERY_TARGETS";
// A flood of answers is read a slice a turn, so the window's frames come
// between.
const int read_slice_ms = 4;

QList<NetworkFinder::Target> broadcast_targets()
{
    QList<NetworkFinder::Target> targets{{QHostAddress::Broadcast, visca::discovery_port}};
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!(flags & QNetworkInterface::IsUp) || flags & QNetworkInterface::IsLoopBack)
            continue;
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const NetworkFinder::Target target{entry.broadcast(), visca::discovery_port};
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol &&
                !entry.broadcast().isNull() && !targets.contains(target))
                targets << target;
        }
    }
    return targets;
}
} // namespace

QList<NetworkFinder::Target> NetworkFinder::targets(const QByteArray &chosen)
{
    if (chosen.trimmed().isEmpty())
        return broadcast_targets();
    QList<Target> targets;
    const QList<QByteArray> entries = chosen.split(',');
    for (const QByteArray &entry : entries) {
        const int colon = entry.lastIndexOf(':');
        const QHostAddress address(QString::fromLatin1(entry.left(colon).trimmed()));
        bool ok = false;
        const uint port = entry.mid(colon + 1).trimmed().toUInt(&ok, 10);
        if (colon > 0 && ok && port > 0 && port <= 65535 &&
            address.protocol() == QAbstractSocket::IPv4Protocol)
            targets << Target{address, quint16(port)};
    }
    return targets;
}

NetworkFinder::NetworkFinder(QObject *parent) : QObject(parent)
{
    window.setSingleShot(true);
    window.setInterval(answer_window_ms);
    connect(&window, &QTimer::timeout, this, [this] {
        // Answers after the window belong to no search.
        delete socket;
        socket = nullptr;
        more_to_read.stop();
        emit finished(answered.size());
    });
    more_to_read.setSingleShot(true);
    more_to_read.setInterval(0);
    connect(&more_to_read, &QTimer::timeout, this, &NetworkFinder::read);
}

bool NetworkFinder::open_socket(bool chosen_targets, QString *error)
{
    delete socket;
    socket = new QUdpSocket(this);
    connect(socket, &QUdpSocket::readyRead, this, &NetworkFinder::read);
    // Cameras broadcast their answers to the enquiry's port, which other
    // programs of the kind may hold too; a chosen target answers the port
    // the enquiry came from.
    if (!chosen_targets && socket->bind(QHostAddress::AnyIPv4, visca::discovery_port,
                                        QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return true;
    if (socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return true;
    *error = socket->errorString();
    return false;
}

bool NetworkFinder::find(QString *error)
{
    const QByteArray chosen = qgetenv(targets_variable);
    const QList<Target> destinations = targets(chosen);
    if (destinations.isEmpty()) {
        *error = QString("%1 names no address and port").arg(targets_variable);
        return false;
    }
    if (!open_socket(!chosen.trimmed().isEmpty(), error))
        return false;
    answered.clear();
    asked_ports.clear();
    int sent = 0;
    for (const Target &target : destinations) {
        asked_ports.insert(target.second);
        if (socket->writeDatagram(visca::discovery_enquiry(), target.first, target.second) > 0)
            ++sent;
    }
    if (sent == 0) {
        *error = socket->errorString();
        return false;
    }
    window.start();
    return true;
}

void NetworkFinder::read()
{
    QElapsedTimer slice;
    slice.start();
    while (socket && socket->hasPendingDatagrams()) {
        if (slice.elapsed() >= read_slice_ms) {
            more_to_read.start();
            return;
        }
        const QNetworkDatagram datagram = socket->receiveDatagram(2048);
        // Cameras answer from the port they were asked on; a full list
        // takes no more.
        if (!asked_ports.contains(quint16(datagram.senderPort())) ||
            answered.size() >= most_cameras)
            continue;
        const std::optional<visca::DiscoveryReply> reply =
            visca::read_discovery_reply(datagram.data());
        // The enquiry comes back too where it was broadcast: it has no address.
        if (!reply)
            continue;
        // A camera is one MAC address, whichever address it answers from.
        const QString mac = reply->value(QStringLiteral("MAC"));
        const QString camera = mac.isEmpty() ? reply->address() : mac;
        if (answered.contains(camera))
            continue;
        answered.insert(camera);
        emit found(*reply);
    }
}
