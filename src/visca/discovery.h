#ifndef ZARVICK_DISCOVERY_H
#define ZARVICK_DISCOVERY_H

#include "visca/commands.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The network cameras' own enquiry on UDP 52380: STX, ASCII fields each
// ended by FF, ETX. A controller asks with ENQ:network; each camera
// answers with its MAC, MODEL, SOFTVERSION, IPADR, MASK, NAME, WRITE (and
// on newer models GATEWAY). The program only reads: it never sends the
// datagram that changes a camera's settings.
namespace visca {
QByteArray discovery_enquiry();

struct DiscoveryReply {
    // Every field as it came, in its order, unknown ones too.
    QList<QPair<QString, QString>> fields;
    QString value(const QString &key) const;
    QString address() const { return value(QStringLiteral("IPADR")); }
};

// Empty for anything that is no camera's answer: no STX or ETX, a field
// that is no KEY:VALUE, no IPv4 address in IPADR (the enquiry itself,
// which a broadcast also brings back, has none), or more than a camera
// sends.
std::optional<DiscoveryReply> read_discovery_reply(const QByteArray &datagram);

// A reply as a camera sends it (the simulator's).
QByteArray discovery_reply(const QList<QPair<QString, QString>> &fields);
} // namespace visca

#endif
