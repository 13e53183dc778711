#ifndef ZARVICK_STREAM_QUEUE_H
#define ZARVICK_STREAM_QUEUE_H

#include "links/link.h"

#include <QByteArray>
#include <QList>
#include <functional>

// The messages a byte stream (a serial line, a TCP connection) has taken
// and not yet handed to the system, in two lanes. A message the system has
// begun to take finishes before any other: a full transmit buffer delays a
// message, it never cuts one.
class StreamQueue
{
public:
    // Hands bytes to the system: how many it took now (0 when it takes
    // none now), or -1 when writing failed.
    using Write = std::function<qint64(const QByteArray &)>;

    // False, taking nothing, when the message would pass its lane's half
    // of the backlog limit: a console that filled its lane leaves room for
    // the camera's stops.
    bool take(const QByteArray &message, Link::Lane lane);
    // Writes what the system takes now; false when writing failed.
    bool flush(const Write &write);
    qint64 size() const { return total; }
    void clear();

private:
    QByteArray head;
    QList<QByteArray> camera;
    QList<QByteArray> console;
    qint64 total = 0;
    qint64 lane_total[2] = {0, 0};
};

#endif
