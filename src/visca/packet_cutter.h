#ifndef ZARVICK_PACKET_CUTTER_H
#define ZARVICK_PACKET_CUTTER_H

#include <QByteArray>
#include <QList>

// Cuts a VISCA byte stream into messages, each ending at an FF byte. A run
// that reaches the size limit without an FF (a device that is no camera, a
// line that lost its FF) comes out as it stands and the cutter starts
// afresh, so that what it holds never grows past the limit.
class PacketCutter
{
public:
    // Far above the longest VISCA message (16 bytes).
    static constexpr int default_limit = 1024;

    explicit PacketCutter(int size_limit = default_limit) : limit(size_limit) {}
    QList<QByteArray> feed(const QByteArray &bytes);
    int pending_size() const { return pending.size(); }

private:
    int limit;
    QByteArray pending;
};

#endif
