#include "monitor/line.h"

#include "visca/command_text.h"
#include "visca/explainer.h"
#include "visca/logged_reply.h"

#include <QCoreApplication>

namespace {
QString line_words(const char *text) { return QCoreApplication::translate("MainWindow", text); }
} // namespace

namespace monitor {

QString meaning_of(const Event &event)
{
    QString meaning = event.note;
    if (meaning.isEmpty() && event.direction == Event::Direction::to_camera)
        meaning = sent_meanings(event.bytes).join(QStringLiteral("; "));
    if (meaning.isEmpty() && event.direction == Event::Direction::to_controller) {
        const HeardReply heard{event.bytes, event.answered, event.delay_ms};
        meaning = with_time(reply_words(event.answered, event.bytes), heard);
    }
    if (event.sequence && event.note.isEmpty())
        meaning += line_words(", number %1").arg(*event.sequence);
    return meaning;
}

Line line_of(const Event &event, int pair, const QString &controller, const QDateTime &time)
{
    Line line;
    line.time = time;
    line.pair = pair;
    line.controller = controller;
    line.direction = event.direction;
    line.bytes = event.bytes;
    line.meaning = meaning_of(event);
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
    return line_words("%1: monitor").arg(who);
}

QString line_text(const Line &line)
{
    return QStringLiteral("%1 #%2 %3 | %4 | %5")
        .arg(line.time.toString(QStringLiteral("HH:mm:ss.zzz")))
        .arg(line.pair)
        .arg(direction_text(line.direction, line.controller), spaced_hex(line.bytes), line.meaning);
}

} // namespace monitor
