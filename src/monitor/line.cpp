#include "monitor/line.h"

#include "visca/command_text.h"
#include "visca/explainer.h"
#include "visca/logged_reply.h"

#include <QCoreApplication>

namespace {
QString line_words(const char *text) { return QCoreApplication::translate("MainWindow", text); }
} // namespace

namespace monitor {

namespace {
// What the message alone means, without its time or number.
QString catalog_words(const Event &event)
{
    if (event.direction == Event::Direction::to_camera)
        return sent_meanings(event.bytes).join(QStringLiteral("; "));
    return reply_words(event.answered, event.bytes);
}

QString with_time_and_number(const QString &words, const Event &event)
{
    QString meaning = words;
    if (event.direction == Event::Direction::to_controller) {
        const HeardReply heard{event.bytes, event.answered, event.delay_ms};
        meaning = with_time(meaning, heard);
    }
    if (event.sequence)
        meaning += line_words(", number %1").arg(*event.sequence);
    return meaning;
}
} // namespace

QString meaning_of(const Event &event)
{
    if (!event.note.isEmpty() || event.direction == Event::Direction::note)
        return event.note;
    return with_time_and_number(catalog_words(event), event);
}

QString Wording::words(const Event &event)
{
    // A change of language reads them all anew.
    const QString now = line_words("no controller");
    if (now != language) {
        kept.clear();
        language = now;
    }
    const QByteArray key =
        (event.direction == Event::Direction::to_camera ? QByteArray("c") : "r" + event.answered) +
        '|' + event.bytes;
    const auto found = kept.constFind(key);
    if (found != kept.constEnd())
        return *found;
    if (kept.size() >= most_kept)
        kept.clear();
    return kept.insert(key, catalog_words(event)).value();
}

QString Wording::meaning(const Event &event)
{
    if (!event.note.isEmpty() || event.direction == Event::Direction::note)
        return event.note;
    return with_time_and_number(words(event), event);
}

Line line_of(const Event &whole, int pair, const QString &controller, const QDateTime &time,
             Wording *wording)
{
    // A flood of bytes (a 64 KB datagram) must not become a line of as
    // many words, kept by the thousand.
    Event event = whole;
    event.bytes.truncate(most_shown_bytes);
    event.answered.truncate(most_shown_bytes);
    Line line;
    if (whole.bytes.size() > most_shown_bytes)
        line.whole_size = int(whole.bytes.size());
    line.time = time;
    line.pair = pair;
    line.controller = controller;
    line.direction = event.direction;
    line.bytes = event.bytes;
    line.meaning = wording ? wording->meaning(event) : meaning_of(event);
    line.noted = !event.note.isEmpty();
    line.answered = event.answered;
    line.delay_ms = event.delay_ms;
    line.address = camera_of(event.bytes);
    return line;
}

QString direction_text(Event::Direction direction, const QString &controller)
{
    const QString who = controller.isEmpty() ? line_words("no controller") : controller;
    switch (direction) {
    case Event::Direction::to_camera: return line_words("%1 → camera").arg(who);
    case Event::Direction::to_controller: return line_words("camera → %1").arg(who);
    case Event::Direction::note: break;
    }
    // What concerns the whole pair.
    if (controller.isEmpty())
        return line_words("monitor");
    return line_words("%1: monitor").arg(who);
}

QString line_text(const Line &line)
{
    return QStringLiteral("%1 #%2 %3 | %4 | %5")
        .arg(line.time.toString(QStringLiteral("HH:mm:ss.zzz")))
        .arg(line.pair)
        .arg(direction_text(line.direction, line.controller),
             line.whole_size > 0
                 ? spaced_hex(line.bytes) + line_words(" … (%1 bytes)").arg(line.whole_size)
                 : spaced_hex(line.bytes),
             line.meaning);
}

} // namespace monitor
