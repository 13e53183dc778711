#include "console/message_log.h"

#include "visca/command_text.h"
#include "visca/explainer.h"

#include <QColor>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>

namespace {
// What a line's messages mean in whole, kept with its block.
class ReadingData : public QTextBlockUserData
{
public:
    explicit ReadingData(std::shared_ptr<const MessageLog::Reading> of) : reading(std::move(of)) {}
    std::shared_ptr<const MessageLog::Reading> reading;
};

// Shows the whole reading of the line under the pointer. Worked out when
// asked: most lines are never pointed at.
class ReadingTips : public QObject
{
public:
    explicit ReadingTips(QPlainTextEdit *log_view) : view(log_view) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QObject::eventFilter(watched, event);
        const auto *help = static_cast<QHelpEvent *>(event);
        const QTextBlock block = view->cursorForPosition(help->pos()).block();
        const auto *data = dynamic_cast<const ReadingData *>(block.userData());
        if (!data) {
            QToolTip::hideText();
            return true;
        }
        const QStringList lines = whole_reading(data->reading->sent, data->reading->heard);
        // Escaped: a camera's bytes make no markup. Lines as they are.
        QToolTip::showText(
            help->globalPos(),
            QStringLiteral("<p style='white-space:pre'>") + lines.join('\n').toHtmlEscaped(), view);
        return true;
    }

private:
    QPlainTextEdit *view;
};
} // namespace

MessageLog::MessageLog(QPlainTextEdit *log_view, int most_lines)
    : view(log_view), line_limit(most_lines), frame(log_view),
      tooltips(std::make_unique<ReadingTips>(log_view))
{
    view->viewport()->installEventFilter(tooltips.get());
    // Log lines are a record, not edits to take back: an undo history would
    // keep a second copy of every line.
    view->document()->setUndoRedoEnabled(false);
    // A record the operator reads and copies from, never types into: one
    // Tab after Select All would wipe it. Tab moves the focus on.
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setTabChangesFocus(true);
    // The scroll bar changes with every line; painted opaque (it fills its
    // whole rectangle), it spares a repaint of the group box behind it.
    view->verticalScrollBar()->setAttribute(Qt::WA_OpaquePaintEvent, true);
    frame.setObjectName("log_frame");
    frame.setSingleShot(true);
    // The timer, a member, is the context: the connection ends with this log.
    QObject::connect(&frame, &QTimer::timeout, &frame, [this] { lay_out(); });
    since_layout.start();
}

namespace {
QString window_text(const char *source)
{
    return QCoreApplication::translate("MainWindow", source);
}

QString left_out(qint64 characters)
{
    return window_text("… (%1 more characters)").arg(characters);
}

// A reply as its line shows it. Only what is shown is rendered: a megabyte
// in one read would otherwise become six megabytes of text first.
QString shown_reply(const QByteArray &reply)
{
    const int shown_bytes = MessageLog::longest_line / 3;
    if (reply.size() <= shown_bytes)
        return hex_text(reply);
    return hex_text(reply.left(shown_bytes)) + left_out(3 * qint64(reply.size() - shown_bytes));
}
} // namespace

int MessageLog::characters_of(const Line &line)
{
    int characters = line.text.size();
    for (const QString &meaning : line.meanings)
        characters += 1 + meaning.size();
    return characters;
}

QString shown_text(const QString &text)
{
    if (text.size() <= MessageLog::longest_line)
        return text;
    return text.left(MessageLog::longest_line) + left_out(text.size() - MessageLog::longest_line);
}

MessageLog::~MessageLog() { view->viewport()->removeEventFilter(tooltips.get()); }

void MessageLog::add(const QString &shown, Kind kind, const QStringList &meanings,
                     std::shared_ptr<const Reading> reading)
{
    // Stamped now, drawn with the frame's other lines. A meaning is
    // indented under its line, and stamped as every line is.
    const QString prefix = kind == Kind::Sent       ? QStringLiteral("TX：")
                           : kind == Kind::Received ? QStringLiteral("RX：")
                                                    : QString();
    const QString stamp = QLatin1Char(' ') + clock.stamp();
    QStringList stamped;
    for (const QString &meaning : meanings)
        stamped << QStringLiteral("    ") + meaning + stamp;
    waiting.push_back({prefix + shown + stamp, kind, stamped, std::move(reading)});
    waiting_characters += characters_of(waiting.back());
    if (waiting.size() > size_t(backlog_lines) || waiting_characters > backlog_characters)
        drop_oldest_waiting();
    if (frame.isActive())
        return;
    // A lone line shows at once; lines that come faster than frames wait
    // for the next one, so the log is laid out at most once a frame.
    const qint64 next_frame = frame_ms - since_layout.elapsed();
    if (next_frame <= 0)
        lay_out();
    else
        frame.start(int(next_frame));
}

void MessageLog::add_sent(const QString &label, const QString &text, const QByteArray &bytes)
{
    if (!explaining) {
        add(shown_text(label + text), Kind::Sent);
        return;
    }
    QStringList meanings;
    for (const QString &meaning : meanings_of(bytes))
        meanings << shown_text(label + meaning);
    add(shown_text(label + text), Kind::Sent, meanings,
        std::make_shared<const Reading>(Reading{bytes, {}}));
}

void MessageLog::add_note(const QString &text) { add(shown_text(text), Kind::Note); }

void MessageLog::add_received(const QList<LoggedReply> &replies, const ReplyLabel &label)
{
    for (const LoggedReply &reply : replies) {
        const QString shown =
            label ? label(reply.bytes) + shown_reply(reply.bytes) : shown_reply(reply.bytes);
        if (!explaining) {
            add(shown, Kind::Received);
            continue;
        }
        QStringList meanings;
        for (const HeardReply &heard : reply.replies)
            meanings << shown_text((label ? label(heard.reply) : QString()) + meaning_of(heard));
        add(shown, Kind::Received, meanings,
            std::make_shared<const Reading>(Reading{{}, reply.replies}));
    }
}

QStringList MessageLog::meanings_of(const QByteArray &sent)
{
    const auto known = sent_meanings.constFind(sent);
    if (known != sent_meanings.constEnd())
        return *known;
    if (sent_meanings.size() >= most_meanings)
        sent_meanings.clear();
    return *sent_meanings.insert(sent, ::sent_meanings(sent));
}

QString MessageLog::meaning_of(const HeardReply &heard)
{
    const QPair<QByteArray, QByteArray> key(heard.asked, heard.reply);
    auto known = reply_meanings.constFind(key);
    if (known == reply_meanings.constEnd()) {
        if (reply_meanings.size() >= most_meanings)
            reply_meanings.clear();
        known = reply_meanings.insert(key, reply_words(heard.asked, heard.reply));
    }
    return with_time(*known, heard);
}

void MessageLog::forget_meanings()
{
    sent_meanings.clear();
    reply_meanings.clear();
}

void MessageLog::drop_oldest_waiting()
{
    // Down to nine tenths of the budget, so that a flood does not drop at
    // every line.
    while (waiting.size() > size_t(backlog_lines) * 9 / 10 ||
           waiting_characters > qint64(backlog_characters) * 9 / 10) {
        waiting_characters -= characters_of(waiting.front());
        waiting.pop_front();
        ++dropped;
    }
}

void MessageLog::lay_out()
{
    frame.stop();
    since_layout.restart();
    if (waiting.empty() && dropped == 0 && !trimming)
        return;
    QElapsedTimer spent;
    spent.start();
    QTextCursor batch(view->document());
    batch.beginEditBlock();
    if (dropped > 0) {
        append({window_text("… %1 lines dropped: more came than the log can show").arg(dropped) +
                    QLatin1Char(' ') + clock.stamp(),
                Kind::Note,
                {},
                {}});
        dropped = 0;
    }
    for (int laid = 0; !waiting.empty() && laid < frame_lines; ++laid) {
        if (spent.elapsed() >= frame_budget_ms)
            break;
        append(waiting.front());
        waiting_characters -= characters_of(waiting.front());
        waiting.pop_front();
    }
    batch.endEditBlock();
    const bool more_to_leave = trim();
    follow_newest();
    // The rest waits for the next frame: the window gets its turn between.
    if (!waiting.empty() || more_to_leave)
        frame.start(frame_ms);
}

namespace {
QTextCharFormat coloured(const char *colour)
{
    QTextCharFormat format;
    format.setForeground(QColor(colour));
    return format;
}
} // namespace

void MessageLog::append(const Line &line)
{
    static const QTextCharFormat sent = coloured("blue");
    static const QTextCharFormat received = coloured("green");
    static const QTextCharFormat note = coloured("gray");
    // Placed, not moved there: a move lays out the line it starts from.
    QTextCursor end(view->document());
    end.setPosition(view->document()->characterCount() - 1);
    if (!shown_lengths.empty() || lines_left > 0)
        end.insertBlock();
    end.insertText(line.text, line.kind == Kind::Sent       ? sent
                              : line.kind == Kind::Received ? received
                                                            : note);
    for (const QString &meaning : line.meanings)
        end.insertText(QChar(QChar::LineSeparator) + meaning, note);
    if (line.reading)
        end.block().setUserData(new ReadingData(line.reading));
    const int length = characters_of(line);
    shown_lengths.push_back(length);
    shown_characters += length;
}

bool MessageLog::trim()
{
    // A plain-text view removes lines from the top at a cost that grows
    // with the lines removed, not with the lines kept; each removal also
    // has a cost of its own (an edit, a new first line, a redraw), so lines
    // leave a few hundred at a time: once the log is its slack over the
    // budget, until it is within.
    trimming = trimming ||
               shown_lengths.size() > size_t(line_limit) + size_t(line_slack(line_limit)) ||
               shown_characters > character_limit + character_slack;
    if (!trimming)
        return false;
    size_t leaving = 0;
    qint64 characters = shown_characters;
    while (leaving + 1 < shown_lengths.size() && leaving < size_t(frame_trim_lines) &&
           (shown_lengths.size() - leaving > size_t(line_limit) || characters > character_limit))
        characters -= shown_lengths[leaving++];
    trimming = shown_lengths.size() - leaving > size_t(line_limit) || characters > character_limit;
    if (leaving == 0)
        return false;
    // An edit of its own: one with the frame's new lines would span the
    // whole log, and the view would walk every line of it. Selected by
    // position: moving block by block would lay out each leaving line.
    QTextDocument *document = view->document();
    const bool noted = lines_left > 0;
    const int first = noted ? 1 : 0;
    QTextCursor oldest(document->findBlockByNumber(first));
    oldest.beginEditBlock();
    oldest.setPosition(document->findBlockByNumber(first + int(leaving)).position(),
                       QTextCursor::KeepAnchor);
    oldest.removeSelectedText();
    shown_lengths.erase(shown_lengths.begin(), shown_lengths.begin() + long(leaving));
    shown_characters = characters;
    lines_left += qint64(leaving);

    // The first line says how many have left.
    static const QTextCharFormat note = coloured("gray");
    QTextCursor top(document);
    if (noted)
        top.setPosition(document->firstBlock().length() - 1, QTextCursor::KeepAnchor);
    top.insertText(window_text("(%1 earlier lines left the log)").arg(lines_left) +
                       QLatin1Char(' ') + clock.stamp(),
                   note);
    if (!noted)
        top.insertBlock();
    oldest.endEditBlock();
    return trimming;
}

void MessageLog::follow_newest()
{
    // The cursor usually is at the end already, and moving it costs.
    QTextCursor cursor = view->textCursor();
    if (!cursor.atEnd()) {
        cursor.movePosition(QTextCursor::End);
        view->setTextCursor(cursor);
    }
    QScrollBar *bar = view->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void MessageLog::clear()
{
    waiting.clear();
    waiting_characters = 0;
    dropped = 0;
    shown_lengths.clear();
    shown_characters = 0;
    lines_left = 0;
    trimming = false;
    view->clear();
}
