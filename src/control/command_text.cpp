#include "control/command_text.h"

#include <QVector>

QByteArray command_bytes(const QString &text, bool *ok)
{
    QByteArray bytes;
    for (const QStringRef &piece : text.splitRef(' ')) {
        if (piece.isEmpty())
            continue;
        bool converted = false;
        const int value = piece.toInt(&converted, 16);
        if (!converted) {
            *ok = false;
            return QByteArray();
        }
        bytes.append(static_cast<char>(value & 0xFF));
    }
    *ok = true;
    return bytes;
}

namespace {
QString two_hex_digits(int value)
{
    return QString("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}
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
