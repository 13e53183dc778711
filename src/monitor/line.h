#ifndef ZARVICK_MONITOR_LINE_H
#define ZARVICK_MONITOR_LINE_H

#include "monitor/exchange.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

// One message through a monitor pair as the terminal, the window and a
// saved capture show it, worded by `line_text` for all three.
namespace monitor {

struct Line {
    QDateTime time;
    // The pair's number, from 1.
    int pair = 0;
    // The controller's address and port, or its serial line; empty when
    // none is concerned.
    QString controller;
    Event::Direction direction = Event::Direction::note;
    QByteArray bytes;
    QString meaning;
    // The meaning is the monitor's own word (a VISCA over IP control
    // message, a message nobody gets), not a command's or a reply's.
    bool noted = false;
    // The message a reply answers, and how long after it the reply came.
    QByteArray answered;
    qint64 delay_ms = -1;
    // The camera (1-7, 8 for a broadcast, 0 for none) the message goes to or
    // comes from.
    int address = 0;
    // A message longer than any VISCA message is shown and read by its
    // start only: its whole length, else 0.
    int whole_size = 0;
};

// What a line keeps of a message; a VISCA message is at most 16 bytes.
inline constexpr int most_shown_bytes = 64;

// What a message means, as the line says it: the catalog's reading of a
// message toward the camera, a reply by what it answers and how long that
// took, or the monitor's own note; with its VISCA over IP number.
QString meaning_of(const Event &event);

// The same messages pass again and again: what they mean is read against
// the catalog once (in the language of the moment) and kept, a bounded
// number of them.
class Wording
{
public:
    QString meaning(const Event &event);
    static constexpr int most_kept = 1024;

private:
    QString words(const Event &event);
    QHash<QByteArray, QString> kept;
    QString language;
};

Line line_of(const Event &event, int pair, const QString &controller, const QDateTime &time,
             Wording *wording = nullptr);

// "12:00:01.234 #1 127.0.0.1:50000 → camera | 81 01 06 04 FF | home":
// time, pair, who spoke to whom, the bytes and what they mean. `zarvick
// --explain` reads the bytes between the bars back.
QString line_text(const Line &line);
QString direction_text(Event::Direction direction, const QString &controller);

} // namespace monitor

#endif
