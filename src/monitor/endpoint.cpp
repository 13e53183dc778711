#include "monitor/endpoint.h"

#include "visca/port_text.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace {
QString endpoint_words(const char *text) { return QCoreApplication::translate("MainWindow", text); }

constexpr int highest_baud = 4000000;

std::optional<monitor::Endpoint> read_serial(const QString &rest, QString *error)
{
    monitor::Endpoint endpoint;
    endpoint.kind = monitor::Kind::serial;
    const int at = rest.lastIndexOf('@');
    endpoint.device = at < 0 ? rest : rest.left(at);
    if (at >= 0) {
        bool ok = false;
        endpoint.baud = rest.mid(at + 1).toInt(&ok, 10);
        if (!ok || endpoint.baud < 1 || endpoint.baud > highest_baud) {
            *error = endpoint_words("the baud rate after @ is not a number from 1 to 4000000");
            return std::nullopt;
        }
    }
    if (endpoint.device.isEmpty()) {
        *error = endpoint_words("no serial device is given");
        return std::nullopt;
    }
    return endpoint;
}

std::optional<monitor::Endpoint> read_network(monitor::Kind kind, const QString &rest,
                                              QString *error)
{
    monitor::Endpoint endpoint;
    endpoint.kind = kind;
    const int colon = rest.lastIndexOf(':');
    if (colon < 0) {
        *error = endpoint_words("an address and a port are needed, as in udp:127.0.0.1:1259");
        return std::nullopt;
    }
    QString address = rest.left(colon);
    // An IPv6 address is written in brackets so that its colons are not
    // taken for the port's.
    if (address.startsWith('[') && address.endsWith(']'))
        address = address.mid(1, address.size() - 2);
    if (QHostAddress(address).isNull()) {
        *error = endpoint_words("\"%1\" is not an IP address").arg(address);
        return std::nullopt;
    }
    if (!parse_port(rest.mid(colon + 1), &endpoint.port)) {
        *error = endpoint_words("the port is not a number from 1 to 65535");
        return std::nullopt;
    }
    endpoint.address = address;
    return endpoint;
}
} // namespace

namespace monitor {

bool Endpoint::operator==(const Endpoint &other) const
{
    return kind == other.kind && address == other.address && port == other.port &&
           device == other.device && baud == other.baud;
}

bool is_stream(Kind kind) { return kind == Kind::tcp || kind == Kind::serial; }

QString kind_text(Kind kind)
{
    switch (kind) {
    case Kind::udp: return QStringLiteral("udp");
    case Kind::visca_ip: return QStringLiteral("visca-ip");
    case Kind::tcp: return QStringLiteral("tcp");
    case Kind::serial: break;
    }
    return QStringLiteral("serial");
}

std::optional<Endpoint> read_endpoint(const QString &text, QString *error)
{
    const QString trimmed = text.trimmed();
    const int colon = trimmed.indexOf(':');
    const QString kind = trimmed.left(colon);
    const QString rest = colon < 0 ? QString() : trimmed.mid(colon + 1);
    for (const Kind known : {Kind::udp, Kind::visca_ip, Kind::tcp}) {
        if (colon > 0 && kind == kind_text(known))
            return read_network(known, rest, error);
    }
    if (colon > 0 && kind == kind_text(Kind::serial))
        return read_serial(rest, error);
    *error = endpoint_words("\"%1\" does not start with udp:, visca-ip:, tcp: or serial:")
                 .arg(trimmed.left(40));
    return std::nullopt;
}

std::optional<PairSpec> read_pair(const QString &text, QString *error)
{
    const int equals = text.indexOf('=');
    if (equals < 0) {
        *error = endpoint_words("a pair is written LISTEN=TARGET");
        return std::nullopt;
    }
    QString why;
    const std::optional<Endpoint> listen = read_endpoint(text.left(equals), &why);
    if (!listen) {
        *error = endpoint_words("where to listen: %1").arg(why);
        return std::nullopt;
    }
    const std::optional<Endpoint> target = read_endpoint(text.mid(equals + 1), &why);
    if (!target) {
        *error = endpoint_words("the camera: %1").arg(why);
        return std::nullopt;
    }
    if (*listen == *target) {
        *error = endpoint_words("the pair would listen where its camera is");
        return std::nullopt;
    }
    return PairSpec{*listen, *target};
}

QString endpoint_text(const Endpoint &endpoint)
{
    if (endpoint.kind == Kind::serial) {
        return QStringLiteral("serial:%1@%2").arg(endpoint.device).arg(endpoint.baud);
    }
    const QString address =
        endpoint.address.contains(':') ? '[' + endpoint.address + ']' : endpoint.address;
    return QStringLiteral("%1:%2:%3").arg(kind_text(endpoint.kind), address).arg(endpoint.port);
}

QString pair_text(const PairSpec &pair)
{
    return endpoint_text(pair.listen) + '=' + endpoint_text(pair.target);
}

} // namespace monitor
