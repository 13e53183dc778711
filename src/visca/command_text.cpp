#include "visca/command_text.h"

#include <QVector>

QByteArray command_bytes(const QString &text, bool *ok)
{
    QByteArray bytes;
    const auto pieces = text.splitRef(' ');
    for (const QStringRef &piece : pieces) {
        if (piece.isEmpty())
            continue;
        bool converted = false;
        const int value = piece.toInt(&converted, 16);
        // A value cut to its low byte would put another message on the wire
        // than the one typed and logged.
        if (!converted || value < 0 || value > 0xFF) {
            *ok = false;
            return QByteArray();
        }
        bytes.append(static_cast<char>(value));
    }
    *ok = true;
    return bytes;
}

namespace {
const char hex_digits[] = "0123456789ABCDEF";
} // namespace

QString hex_text(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size() * 3);
    for (char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text += QLatin1Char(hex_digits[value >> 4]);
        text += QLatin1Char(hex_digits[value & 0x0F]);
        text += QLatin1Char(' ');
    }
    return text;
}

QString spaced_hex(const QByteArray &bytes)
{
    return hex_text(bytes).chopped(bytes.isEmpty() ? 0 : 1);
}
