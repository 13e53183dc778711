#ifndef ZARVICK_SIM_PACKET_CUTTER_H
#define ZARVICK_SIM_PACKET_CUTTER_H

#include <QByteArray>
#include <QList>

// Cuts a VISCA byte stream into messages at each FF. A run of bytes longer
// than any message is not kept whole: only its first bytes are, so that a
// peer sending without FF cannot grow the buffer without bound; the message
// still comes out (too long) when its FF arrives.
class PacketCutter
{
public:
    static constexpr int longest_message = 16;

    QList<QByteArray> feed(const QByteArray &bytes);

private:
    QByteArray pending;
};

#endif
