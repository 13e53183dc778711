#ifndef ZARVICK_MESSAGE_LOG_H
#define ZARVICK_MESSAGE_LOG_H

#include "console/log_clock.h"
#include "visca/logged_reply.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

class QObject;
class QPlainTextEdit;

// The log below the tabs: one line per command sent (blue, "TX：") and per
// reply received (green, "RX："), each with the time stamp of its arrival;
// the view follows the newest line.
//
// It never holds the window up and never grows past a fixed budget:
// - Lines are laid out at most once a frame, and a frame lays out at most
//   `frame_lines` of them (or `frame_budget_ms` worth): a flood waits for
//   the next frames, in order, while the operator can still press Stop.
// - Waiting lines are held to `backlog_lines` and `backlog_characters`;
//   past that the oldest waiting ones are dropped and one line says how
//   many.
// - The log keeps at most `line_limit` lines and `character_limit`
//   characters; older lines leave from the top a few at a time (cheap in a
//   plain-text view, which lays out only what it shows), and the first
//   line says how many have left.
// - A line shows at most `longest_line` characters of its text. What is
//   sent is never cut, only its line.
// - Explaining, each TX and RX line is followed by what its messages mean
//   (grey, stamped as every line is), and shows every field of them in its
//   tooltip.
class MessageLog
{
public:
    static constexpr int default_line_limit = 100000;
    static constexpr int character_limit = 4000000;
    // Lines leave once the log is this far over a limit, then down to it:
    // a few hundred at a time rather than one with every new line.
    static constexpr int character_slack = character_limit / 100;
    static constexpr int line_slack(int limit) { return limit > 200 ? limit / 200 : 1; }
    static constexpr int longest_line = 4096;
    // Thirty frames a second: smooth for reading, and half the redraws of
    // sixty when a camera answers in bursts.
    static constexpr int frame_ms = 33;
    static constexpr int frame_lines = 500;
    // Removing a line costs about twice what adding one does: a frame
    // removes at most this many, and the next frames go on while the log
    // is over its budget.
    static constexpr int frame_trim_lines = 500;
    static constexpr int frame_budget_ms = 8;
    static constexpr int backlog_lines = 100000;
    static constexpr int backlog_characters = 4000000;

    explicit MessageLog(QPlainTextEdit *log_view, int most_lines = default_line_limit);
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;
    // For the lines to come; those shown stay as they are.
    void set_explaining(bool on) { explaining = on; }
    // The language changed: meanings are worded anew.
    void forget_meanings();
    // `label` names the camera ("[Camera 2] "), or nothing.
    void add_sent(const QString &label, const QString &text, const QByteArray &bytes = {});
    // A line of the program's own (a camera's trouble), neither sent nor received.
    void add_note(const QString &text);
    // `label` names the camera a reply came from ("[Camera 2] "), or nothing.
    using ReplyLabel = std::function<QString(const QByteArray &reply)>;
    void add_received(const QList<LoggedReply> &replies, const ReplyLabel &label = {});
    void clear();

    // The messages a line's tooltip reads in whole.
    struct Reading {
        QByteArray sent;
        QList<HeardReply> heard;
    };

private:
    enum class Kind { Sent, Received, Note };
    struct Line {
        QString text;
        Kind kind;
        // Explaining: what the line's messages mean, each on a line of its
        // own within the line's block (cheaper to lay out than a block).
        QStringList meanings;
        std::shared_ptr<const Reading> reading;
    };
    static int characters_of(const Line &line);
    void add(const QString &shown, Kind kind, const QStringList &meanings = {},
             std::shared_ptr<const Reading> reading = {});
    void drop_oldest_waiting();
    void lay_out();
    void append(const Line &line);
    // Whether lines remain to leave after this frame's share.
    bool trim();
    void follow_newest();

    QPlainTextEdit *view;
    const int line_limit;
    std::deque<Line> waiting;
    qint64 waiting_characters = 0;
    // Waiting lines dropped since the last note that said so.
    qint64 dropped = 0;
    // The lengths of the lines shown, oldest first (the note on lines that
    // left, the first line once any have, not among them).
    std::deque<int> shown_lengths;
    qint64 shown_characters = 0;
    qint64 lines_left = 0;
    // Over the budget: lines leave in the next frames until it is kept.
    bool trimming = false;
    QTimer frame;
    QElapsedTimer since_layout;
    LogClock clock;
    bool explaining = false;
    // Meanings worded already: a camera says the same few things again and
    // again, and wording them is most of what explaining costs.
    static constexpr int most_meanings = 1024;
    QHash<QByteArray, QStringList> sent_meanings;
    QHash<QPair<QByteArray, QByteArray>, QString> reply_meanings;
    QStringList meanings_of(const QByteArray &sent);
    QString meaning_of(const HeardReply &heard);
    std::unique_ptr<QObject> tooltips;
};

// A line's text as the log shows it: whole, or its start and a marker that
// says how many characters were left out.
QString shown_text(const QString &text);

#endif
