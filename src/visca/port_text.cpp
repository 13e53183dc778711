#include "visca/port_text.h"

bool parse_port(const QString &text, quint16 *port, int lowest)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < lowest || value > 65535)
        return false;
    *port = static_cast<quint16>(value);
    return true;
}
