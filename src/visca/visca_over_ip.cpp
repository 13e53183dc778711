#include "visca/visca_over_ip.h"

#include "visca/commands.h"

#include <QtEndian>

namespace visca_over_ip {
QByteArray pack(quint16 type, quint32 sequence, const QByteArray &payload)
{
    QByteArray datagram(header_size, '\0');
    auto *header = reinterpret_cast<uchar *>(datagram.data());
    qToBigEndian<quint16>(type, header);
    qToBigEndian<quint16>(static_cast<quint16>(payload.size()), header + 2);
    qToBigEndian<quint32>(sequence, header + 4);
    return datagram + payload;
}

std::optional<Message> unpack(const QByteArray &datagram)
{
    if (datagram.size() < header_size)
        return std::nullopt;
    const auto *header = reinterpret_cast<const uchar *>(datagram.constData());
    const int length = qFromBigEndian<quint16>(header + 2);
    if (length != datagram.size() - header_size)
        return std::nullopt;
    return Message{qFromBigEndian<quint16>(header), qFromBigEndian<quint32>(header + 4),
                   datagram.mid(header_size)};
}

quint16 type_of(const QByteArray &visca)
{
    return visca.size() > 1 && visca.at(1) == 0x09 ? inquiry : command;
}
} // namespace visca_over_ip

bool visca_over_ip::numbered_by_default(quint16 port) { return port == visca::visca_over_ip_port; }

quint16 visca_over_ip::usual_port() { return visca::visca_over_ip_port; }
