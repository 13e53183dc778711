#include "visca/packet_cutter.h"

QList<QByteArray> PacketCutter::feed(const QByteArray &bytes)
{
    QList<QByteArray> messages;
    int start = 0;
    while (start < bytes.size()) {
        const int end = bytes.indexOf(char(0xFF), start);
        const int room = limit - pending.size();
        const int run = (end < 0 ? bytes.size() : end + 1) - start;
        const int taken = qMin(run, room);
        pending.append(bytes.constData() + start, taken);
        start += taken;
        if (taken == run && end < 0 && pending.size() < limit)
            break;
        messages << pending;
        pending.clear();
    }
    return messages;
}
