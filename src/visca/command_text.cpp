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
QString two_hex_digits(int value)
{
    return QString("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

const char hex_digits[] = "0123456789ABCDEF";
} // namespace

QString speed_replace(QString text, quint8 pan, quint8 tilt)
{
    const QString pan_text = two_hex_digits(pan);
    const QString tilt_text = two_hex_digits(tilt);
    text.replace('H', pan_text[0]);
    text.replace('K', pan_text[1]);
    text.replace('V', tilt_text[0]);
    text.replace('N', tilt_text[1]);
    return text;
}

QString preset_hex(int number) { return two_hex_digits(number); }

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
