#include "packet_cutter.h"

QList<QByteArray> PacketCutter::feed(const QByteArray &bytes)
{
    QList<QByteArray> messages;
    for (char byte : bytes) {
        const bool end = static_cast<unsigned char>(byte) == 0xFF;
        // Past the longest message, bytes are not kept: what is kept already
        // shows the message too long.
        if (pending.size() <= longest_message || end)
            pending.append(byte);
        if (end) {
            messages << pending;
            pending.clear();
        }
    }
    return messages;
}
