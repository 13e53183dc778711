#include "visca/discovery.h"

#include <algorithm>

namespace visca {
namespace {
const char start = 0x02;
const char end = 0x03;
const char field_end = char(0xFF);
// A camera's answer is a few hundred bytes; anything far larger is not one.
const int longest_reply = 1024;
const int most_fields = 32;

bool ipv4(const QString &text)
{
    const QStringList parts = text.split('.');
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        bool ok = false;
        const int number = part.toInt(&ok, 10);
        if (!ok || part.isEmpty() || part.size() > 3 || number < 0 || number > 255)
            return false;
    }
    return true;
}

QByteArray framed(const QList<QByteArray> &fields)
{
    QByteArray bytes(1, start);
    for (const QByteArray &field : fields)
        bytes += field + field_end;
    return bytes + end;
}
} // namespace

QByteArray discovery_enquiry() { return framed({"ENQ:network"}); }

QByteArray discovery_reply(const QList<QPair<QString, QString>> &fields)
{
    QList<QByteArray> texts;
    for (const auto &field : fields)
        texts << (field.first + ':' + field.second).toLatin1();
    return framed(texts);
}

QString DiscoveryReply::value(const QString &key) const
{
    for (const auto &field : fields) {
        if (field.first == key)
            return field.second;
    }
    return QString();
}

std::optional<DiscoveryReply> read_discovery_reply(const QByteArray &datagram)
{
    const int size = datagram.size();
    if (size < 3 || size > longest_reply || datagram.front() != start || datagram.back() != end ||
        datagram.at(size - 2) != field_end)
        return std::nullopt;
    const QList<QByteArray> texts = datagram.mid(1, size - 3).split(field_end);
    if (texts.size() > most_fields)
        return std::nullopt;
    DiscoveryReply reply;
    for (const QByteArray &text : texts) {
        const int colon = text.indexOf(':');
        // Printable ASCII only: a field is text, and the list shows it.
        const bool printable =
            std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
        if (colon <= 0 || !printable)
            return std::nullopt;
        reply.fields.append(
            {QString::fromLatin1(text.left(colon)), QString::fromLatin1(text.mid(colon + 1))});
    }
    if (!ipv4(reply.address()))
        return std::nullopt;
    return reply;
}
} // namespace visca
