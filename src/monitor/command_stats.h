#ifndef ZARVICK_MONITOR_COMMAND_STATS_H
#define ZARVICK_MONITOR_COMMAND_STATS_H

#include "monitor/line.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

// Per command (the catalog's name of what the controllers sent): how many
// went, how long the ACK and the completion (an inquiry's answer) took,
// median and 99th percentile, and how many were answered with an error.
namespace monitor {

class CommandStats
{
public:
    struct Row {
        // The catalog's English name; "unknown" for what it does not know.
        QString command;
        int count = 0;
        int errors = 0;
        // -1 while no such reply was heard.
        qint64 ack_median = -1;
        qint64 ack_p99 = -1;
        qint64 done_median = -1;
        qint64 done_p99 = -1;
    };

    void take(const Line &line);
    // By command name.
    QList<Row> rows() const;
    // The rows as a terminal table, with a heading, in English.
    QString table_text() const;
    void clear() { by_command.clear(); }

    // Each row keeps the latest times only, and there are only so many
    // rows: what the controllers send cannot make it grow without end.
    static constexpr int most_samples = 10000;
    static constexpr int most_rows = 256;

    // The value below which `share` (0-1) of `samples` lie, by nearest rank.
    static qint64 percentile(QVector<qint64> samples, double share);

private:
    struct Times {
        int count = 0;
        int errors = 0;
        QVector<qint64> acks;
        QVector<qint64> dones;
    };
    Times *times_of(const QByteArray &message);
    // The command name of each message seen, read once (a bounded number).
    QString name_of(const QByteArray &message);
    QHash<QByteArray, QString> names;
    static void add(QVector<qint64> *samples, qint64 ms);
    QHash<QString, Times> by_command;
};

// The catalog's name of `message`, "unknown" when it knows none.
QString command_name(const QByteArray &message);

} // namespace monitor

#endif
