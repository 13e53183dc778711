#ifndef ZARVICK_VISCA_OVER_IP_H
#define ZARVICK_VISCA_OVER_IP_H

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// The 8-byte header of Sony-compatible network cameras: payload type,
// payload length and sequence number, big-endian, then the payload. The
// camera answers with the sequence number of the message it answers.
namespace visca_over_ip {
inline constexpr int header_size = 8;

enum PayloadType : quint16 {
    command = 0x0100,
    inquiry = 0x0110,
    reply = 0x0111,
    device_setting = 0x0120,
    control = 0x0200,
    control_reply = 0x0201,
};

// Control payloads: RESET sets the expected sequence number back (and is
// also its acknowledgement); the two errors answer a message the camera
// cannot take.
inline const QByteArray reset_payload = QByteArray(1, '\x01');
inline const QByteArray sequence_error = QByteArray::fromHex("0f01");
inline const QByteArray message_error = QByteArray::fromHex("0f02");

struct Message {
    quint16 type = 0;
    quint32 sequence = 0;
    QByteArray payload;
};

QByteArray pack(quint16 type, quint32 sequence, const QByteArray &payload);
// Empty when the datagram is shorter than a header or its length field
// disagrees with what follows the header.
std::optional<Message> unpack(const QByteArray &datagram);
// Whether a UDP camera at `port` speaks VISCA over IP where nobody chose:
// the port those cameras listen on, as settings of old mean it.
bool numbered_by_default(quint16 port);
// The port a camera found by the network enquiry speaks VISCA over IP on.
quint16 usual_port();
// The payload type a VISCA message travels as: inquiries (`8x 09 …`) apart
// from everything else.
quint16 type_of(const QByteArray &visca);
} // namespace visca_over_ip

#endif
