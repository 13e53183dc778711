#include "links/stream_queue.h"

bool StreamQueue::take(const QByteArray &message, Link::Lane lane)
{
    if (total + message.size() > Link::backlog_limit)
        return false;
    if (message.isEmpty())
        return true;
    (lane == Link::Lane::Camera ? camera : console).append(message);
    total += message.size();
    return true;
}

bool StreamQueue::flush(const Write &write)
{
    for (;;) {
        if (head.isEmpty()) {
            if (!camera.isEmpty())
                head = camera.takeFirst();
            else if (!console.isEmpty())
                head = console.takeFirst();
            else
                return true;
        }
        const qint64 written = write(head);
        if (written < 0)
            return false;
        head.remove(0, int(written));
        total -= written;
        if (!head.isEmpty())
            return true; // the system is full: the rest when it has room
    }
}

void StreamQueue::clear()
{
    head.clear();
    camera.clear();
    console.clear();
    total = 0;
}
