#include "links/stream_queue.h"

bool StreamQueue::take(const QByteArray &message, Link::Lane lane)
{
    qint64 &in_lane = lane_total[lane == Link::Lane::Camera ? 0 : 1];
    if (in_lane + message.size() > Link::backlog_limit / 2)
        return false;
    if (message.isEmpty())
        return true;
    (lane == Link::Lane::Camera ? camera : console).append(message);
    in_lane += message.size();
    total += message.size();
    return true;
}

bool StreamQueue::flush(const Write &write)
{
    for (;;) {
        if (head.isEmpty()) {
            const int lane = !camera.isEmpty() ? 0 : !console.isEmpty() ? 1 : -1;
            if (lane < 0)
                return true;
            head = (lane == 0 ? camera : console).takeFirst();
            lane_total[lane] -= head.size();
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
    lane_total[0] = lane_total[1] = 0;
}
