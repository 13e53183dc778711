#ifndef ZARVICK_TALLY_LAMP_H
#define ZARVICK_TALLY_LAMP_H

#include "visca/camera_commands.h"

#include <QtGlobal>

// One camera's tally as the operator set it, and when it is to go to the
// camera: at once when set, again when the camera's link opens, and every
// `resend_ms` while it stays open, since cameras forget it (a restart, a
// power cycle, another controller). Nothing goes before the operator first
// sets it: a camera nobody gave a tally keeps its lamps as they are.
// Time is passed in.
class TallyLamp
{
public:
    static constexpr qint64 resend_ms = 10000;

    visca::Tally state() const { return lamp; }
    bool set_by_operator() const { return given; }
    void set(visca::Tally state)
    {
        lamp = state;
        given = true;
        last_sent_ms = -1;
    }
    void link_opened() { last_sent_ms = -1; }
    bool due(qint64 now_ms) const
    {
        return given && (last_sent_ms < 0 || now_ms - last_sent_ms >= resend_ms);
    }
    void sent(qint64 now_ms) { last_sent_ms = now_ms; }

private:
    visca::Tally lamp = visca::Tally::off;
    bool given = false;
    qint64 last_sent_ms = -1;
};

#endif
