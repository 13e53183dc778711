#include "visca/replies.h"

namespace visca {

std::optional<int> addressee(const QByteArray &message)
{
    if (message.isEmpty())
        return std::nullopt;
    const int header = quint8(message.at(0));
    if (header < 0x81 || header > 0x87)
        return std::nullopt;
    return header - 0x80;
}

QList<int> addressees(const QByteArray &bytes)
{
    QList<int> found;
    for (int start = 0; start < bytes.size();) {
        const std::optional<int> address = addressee(bytes.mid(start, 1));
        if (address && !found.contains(*address))
            found << *address;
        const int end = bytes.indexOf(char(0xFF), start);
        if (end < 0)
            break;
        start = end + 1;
    }
    return found;
}

std::optional<int> sender_of(const QByteArray &message)
{
    if (message.isEmpty())
        return std::nullopt;
    const int header = quint8(message.at(0));
    if ((header & 0x0F) != 0 || header < 0x90)
        return std::nullopt;
    return (header >> 4) - 8;
}

std::optional<Reply> read_reply(const QByteArray &message)
{
    const int size = message.size();
    if (size < 3 || size > 16 || quint8(message.back()) != 0xFF)
        return std::nullopt;
    const auto byte = [&message](int at) { return quint8(message.at(at)); };
    const int header = byte(0);
    if ((header & 0x0F) != 0 || header < 0x90)
        return std::nullopt;
    const int address = (header >> 4) - 8;
    const int kind = byte(1) >> 4;
    const int socket = byte(1) & 0x0F;
    // Bytes inside a message never carry FF.
    if (message.indexOf(char(0xFF)) != size - 1)
        return std::nullopt;
    switch (kind) {
    case 0x4:
        if (size == 3)
            return Reply{ReplyKind::Ack, address, socket, 0, {}};
        break;
    case 0x5:
        if (socket != 0 && size == 3)
            return Reply{ReplyKind::Completion, address, socket, 0, {}};
        if (socket == 0)
            return Reply{ReplyKind::Answer, address, 0, 0, message.mid(2, size - 3)};
        break;
    case 0x6:
        if (size == 4)
            return Reply{ReplyKind::Error, address, socket, byte(2), {}};
        break;
    default: break;
    }
    return std::nullopt;
}

std::optional<Version> read_version(const QByteArray &message)
{
    const std::optional<Reply> reply = read_reply(message);
    if (!reply || reply->kind != ReplyKind::Answer || reply->data.size() != 7)
        return std::nullopt;
    const auto word = [&reply](int at) {
        return quint8(reply->data.at(at)) << 8 | quint8(reply->data.at(at + 1));
    };
    return Version{word(0), word(2), word(4), quint8(reply->data.at(6))};
}
bool may_answer(const QByteArray &message, const Reply &reply)
{
    if (reply.kind == ReplyKind::Error || message.size() < 3)
        return true;
    const int size = int(reply.data.size());
    switch (quint8(message.at(1))) {
    case 0x01: return reply.kind != ReplyKind::Answer || size == 0;
    case 0x09: break;
    default: return true;
    }
    if (reply.kind != ReplyKind::Answer)
        return false;
    // The inquiries the program asks by itself, by their answer's size.
    struct Known {
        const char *body;
        int least;
        int most;
    };
    static const Known known[] = {
        {"\x09\x06\x12", 8, 9}, // pan-tilt: four or five pan digits, four tilt
        {"\x09\x04\x47", 4, 4}, // zoom
        {"\x09\x04\x48", 4, 4}, // focus
        {"\x09\x04\x38", 1, 1}, // focus mode
        {"\x09\x00\x02", 7, 7}, // version
    };
    for (const Known &inquiry : known) {
        if (message.mid(1, 3) == QByteArray(inquiry.body, 3) && message.size() == 5)
            return size >= inquiry.least && size <= inquiry.most;
    }
    return true;
}

} // namespace visca
