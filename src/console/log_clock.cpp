#include "console/log_clock.h"

#include <QDateTime>

QString LogClock::stamp()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now / 60000 != minute) {
        minute = now / 60000;
        offset_ms = qint64(QDateTime::fromMSecsSinceEpoch(now).offsetFromUtc()) * 1000;
    }
    const qint64 day = qint64(24) * 3600 * 1000;
    return time_stamp(((now + offset_ms) % day + day) % day);
}

QString time_stamp(qint64 ms_of_day)
{
    QChar text[14];
    const auto put = [&text](int at, qint64 value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = QLatin1Char(char('0' + value % 10));
    };
    text[0] = QLatin1Char('(');
    put(1, ms_of_day / 3600000, 2);
    text[3] = QLatin1Char(':');
    put(4, ms_of_day / 60000 % 60, 2);
    text[6] = QLatin1Char(':');
    put(7, ms_of_day / 1000 % 60, 2);
    text[9] = QLatin1Char('.');
    put(10, ms_of_day % 1000, 3);
    text[13] = QLatin1Char(')');
    return QString(text, 14);
}
