#ifndef ZARVICK_MESSAGE_LOG_H
#define ZARVICK_MESSAGE_LOG_H

#include "console/log_clock.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>
#include <QVector>

class QTextEdit;

// The log below the tabs: one line per command sent (blue, "TX：") and per
// reply received (green, "RX："), each with its time stamp; the view
// follows the newest line.
//
// Lines are laid out at most once a frame: a line is stamped when it comes
// and drawn at once when the log is idle, or with the other lines of its
// frame when they come faster (a flooding camera, a fast loop), in the
// order they came.
//
// It stays light whatever runs: only the newest `line_limit` lines are
// kept (older ones leave from the top once a tenth more have come), and a
// line shows at most
// `longest_line` characters of its text, so no single line can hold the
// window up while it is laid out. What is sent is never cut, only its line.
class MessageLog
{
public:
    static constexpr int default_line_limit = 100000;
    static constexpr int longest_line = 4096;
    static constexpr int frame_ms = 16;

    explicit MessageLog(QTextEdit *log_view, int most_lines = default_line_limit);
    void add_sent(const QString &text);
    void add_received(const QList<QByteArray> &replies);
    void clear();

private:
    struct Line {
        QString text;
        bool sent;
    };
    void add(const QString &shown, bool sent);
    void lay_out();
    void trim();

    QTextEdit *view;
    const int line_limit;
    const int overflow;
    QVector<Line> waiting;
    QTimer frame;
    QElapsedTimer since_layout;
    LogClock clock;
};

// A line's text as the log shows it: whole, or its start and a marker that
// says how many characters were left out.
QString shown_text(const QString &text);

#endif
