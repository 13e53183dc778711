#ifndef ZARVICK_TALLY_LAMP_H
#define ZARVICK_TALLY_LAMP_H

#include "visca/camera_commands.h"

#include <QtGlobal>

// One camera's tally as the operator set it, and when it is to go to the
// camera: at once when set, again when the camera's link opens, and every
// `resend_ms` while it stays open, since cameras forget it (a restart, a
// power cycle, another controller). Nothing goes before the operator first
// sets it: a camera nobody gave a tally keeps its lamps as they are. Where
// datagrams may be lost, a tally the camera has not acknowledged goes
// again every `unacknowledged_ms`: a dark lamp must not wait for the
// refresh while the window shows it lit. Time is passed in.
class TallyLamp
{
public:
    static constexpr qint64 resend_ms = 10000;
    static constexpr qint64 unacknowledged_ms = 500;

    visca::Tally state() const { return lamp; }
    void set(visca::Tally state)
    {
        lamp = state;
        given = true;
        last_sent_ms = -1;
    }
    void link_opened() { last_sent_ms = -1; }
    // `resending`: the link loses messages and the camera answers, so an
    // unacknowledged tally is worth sending again soon.
    bool due(qint64 now_ms, bool resending = false) const
    {
        if (!given)
            return false;
        if (last_sent_ms < 0 || now_ms - last_sent_ms >= resend_ms)
            return true;
        return resending && !acknowledged && now_ms - last_sent_ms >= unacknowledged_ms;
    }
    void sent(qint64 now_ms)
    {
        last_sent_ms = now_ms;
        acknowledged = false;
    }
    void acknowledge() { acknowledged = true; }

private:
    visca::Tally lamp = visca::Tally::off;
    bool given = false;
    qint64 last_sent_ms = -1;
    bool acknowledged = false;
};

#endif
