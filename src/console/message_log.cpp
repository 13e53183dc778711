#include "console/message_log.h"

#include "visca/command_text.h"

#include <QColor>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

MessageLog::MessageLog(QTextEdit *log_view, int most_lines)
    : view(log_view), line_limit(most_lines), overflow(qMax(1, most_lines / 10)), frame(log_view)
{
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
    QObject::connect(&frame, &QTimer::timeout, [this] { lay_out(); });
    since_layout.start();
}

namespace {
QString left_out(qint64 characters)
{
    return QCoreApplication::translate("MainWindow", "… (%1 more characters)").arg(characters);
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

QString shown_text(const QString &text)
{
    if (text.size() <= MessageLog::longest_line)
        return text;
    return text.left(MessageLog::longest_line) + left_out(text.size() - MessageLog::longest_line);
}

void MessageLog::add(const QString &shown, bool sent)
{
    // Stamped now, drawn with the frame's other lines.
    waiting << Line{(sent ? QStringLiteral("TX：") : QStringLiteral("RX：")) + shown +
                        QLatin1Char(' ') + clock.stamp(),
                    sent};
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

void MessageLog::add_sent(const QString &text) { add(shown_text(text), true); }

void MessageLog::add_received(const QList<QByteArray> &replies)
{
    for (const QByteArray &reply : replies)
        add(shown_reply(reply), false);
}

void MessageLog::lay_out()
{
    frame.stop();
    since_layout.restart();
    if (waiting.isEmpty())
        return;
    QTextCursor batch(view->document());
    const bool several = waiting.size() > 1;
    if (several)
        batch.beginEditBlock();
    for (const Line &line : waiting) {
        view->setTextColor(QColor(line.sent ? "blue" : "green"));
        view->append(line.text);
    }
    if (several)
        batch.endEditBlock();
    waiting.clear();
    trim();
    // The view follows the newest line and the next line's colour applies at
    // the end; the cursor usually is there already, and moving it costs.
    QTextCursor cursor = view->textCursor();
    if (!cursor.atEnd()) {
        cursor.movePosition(QTextCursor::End, QTextCursor::MoveAnchor, 1);
        view->setTextCursor(cursor);
    }
    QScrollBar *bar = view->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void MessageLog::trim()
{
    // Every line removed from the top makes the text layout place all the
    // lines below it again (some hundred milliseconds at 100,000 lines):
    // the oldest lines leave a tenth of the limit at a time, not one by one.
    QTextDocument *document = view->document();
    if (document->blockCount() <= line_limit + overflow)
        return;
    QTextCursor oldest(document);
    oldest.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor,
                        document->blockCount() - line_limit);
    oldest.removeSelectedText();
}

void MessageLog::clear()
{
    waiting.clear();
    view->clear();
}
