#include "links/hex_text.h"

namespace {
const char hex_digits[] = "0123456789ABCDEF";

void append_hex(QString &text, char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    text += QLatin1Char(hex_digits[value >> 4]);
    text += QLatin1Char(hex_digits[value & 0x0F]);
    text += QLatin1Char(' ');
}
} // namespace

QString hex_text(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size() * 3);
    for (char byte : bytes)
        append_hex(text, byte);
    return text;
}

QStringList cut_packets(QString &pending, const QByteArray &bytes)
{
    QStringList packets;
    for (char byte : bytes) {
        append_hex(pending, byte);
        if (static_cast<unsigned char>(byte) == 0xFF) {
            packets << pending;
            pending.clear();
        }
    }
    return packets;
}
