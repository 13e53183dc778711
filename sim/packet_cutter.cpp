#include "packet_cutter.h"

QList<QByteArray> PacketCutter::feed(const QByteArray &bytes)
{
    QList<QByteArray> messages;
    for (char byte : bytes) {
        if (pending.size() <= longest_message)
            pending.append(byte);
        else
            overlong = true;
        if (static_cast<unsigned char>(byte) != 0xFF)
            continue;
        if (overlong)
            pending.append(byte); // keeps the message visibly longer than 16 bytes
        messages << pending;
        pending.clear();
        overlong = false;
    }
    return messages;
}
