#include "control/network_finder.h"

#include <QNetworkInterface>

namespace {
const char *const targets_variable = "ZARVICK_DISCOVERY_TARGETS";

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

NetworkFinder::NetworkFinder(QObject *parent) : QObject(parent), window(this)
{
    window.setObjectName(QStringLiteral("searchWindow"));
    window.setSingleShot(true);
    window.setInterval(answer_window_ms);
    connect(&window, &QTimer::timeout, this, [this] {
        // Answers after the window belong to no search.
        socket.close();
        emit finished(answered.size());
    });
    connect(&socket, &EnquirySocket::received, this, &NetworkFinder::take);
}

bool NetworkFinder::find(QString *error)
{
    const QByteArray chosen = qgetenv(targets_variable);
    const QList<Target> destinations = targets(chosen);
    if (destinations.isEmpty()) {
        *error = QString("%1 names no address and port").arg(targets_variable);
        return false;
    }
    // Cameras broadcast their answers to the enquiry's port, which other
    // programs of the kind may hold too; a chosen target answers the port
    // the enquiry came from.
    if (!socket.open(chosen.trimmed().isEmpty() ? visca::discovery_port : 0, error))
        return false;
    answered.clear();
    asked_ports.clear();
    int sent = 0;
    for (const Target &target : destinations) {
        asked_ports.insert(target.second);
        if (socket.send(visca::discovery_enquiry(), target.first, target.second))
            ++sent;
    }
    if (sent == 0) {
        *error = socket.errorText();
        return false;
    }
    window.start();
    return true;
}

void NetworkFinder::take(const QByteArray &datagram, quint16 from_port)
{
    // Cameras answer from the port they were asked on; a full list takes
    // no more.
    if (!asked_ports.contains(from_port) || answered.size() >= most_cameras)
        return;
    const std::optional<visca::DiscoveryReply> reply = visca::read_discovery_reply(datagram);
    // The enquiry comes back too where it was broadcast: it has no address.
    if (!reply)
        return;
    // A camera is one MAC address, whichever address it answers from.
    const QString mac = reply->value(QStringLiteral("MAC"));
    const QString camera = mac.isEmpty() ? reply->address() : mac;
    if (answered.contains(camera))
        return;
    answered.insert(camera);
    emit found(*reply);
}
