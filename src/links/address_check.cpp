#include "links/address_check.h"

#include <QStringList>

namespace {
bool holds_rejected_letter(const QString &part)
{
    for (const QChar c : part) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'F'))
            return true;
    }
    return false;
}
} // namespace

bool check_ip(const QString &text)
{
    if (text.isEmpty() || text.count('.') != 3)
        return false;
    const QStringList parts = text.split('.');
    for (const QString &part : parts) {
        if (holds_rejected_letter(part))
            return false;
        const int value = part.toInt(nullptr, 10);
        if (value > 255 || value < 0)
            return false;
    }
    return true;
}

bool parse_camera_address(const QString &text, QHostAddress *address)
{
    if (!check_ip(text))
        return false;
    const QHostAddress parsed(text);
    if (parsed.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    *address = parsed;
    return true;
}
