#ifndef ZARVICK_LOG_CLOCK_H
#define ZARVICK_LOG_CLOCK_H

#include <QString>

// The time stamp of a log line, "(hh:mm:ss.zzz)" in local time.
//
// Asking the C library for local time makes it look at the zone file on
// every call, a good part of the cost of a log line. The offset from UTC
// only changes at a zone transition, which falls on a whole minute: it is
// looked up once per minute and reused within it.
class LogClock
{
public:
    QString stamp();

private:
    qint64 minute = -1; // UTC minute the offset was looked up for
    qint64 offset_ms = 0;
};

// Milliseconds since midnight as "(hh:mm:ss.zzz)".
QString time_stamp(qint64 ms_of_day);

#endif
