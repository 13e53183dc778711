#include "monitor/command_stats.h"

#include "visca/catalog.h"
#include "visca/replies.h"

#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace monitor {

QString command_name(const QByteArray &message)
{
    const std::optional<visca::catalog::Meaning> read = visca::catalog::read(message);
    return read ? read->entry->name : QStringLiteral("unknown");
}

QString CommandStats::name_of(const QByteArray &message)
{
    const auto found = names.constFind(message);
    if (found != names.constEnd())
        return *found;
    if (names.size() >= most_rows * 4)
        names.clear();
    return names.insert(message, command_name(message)).value();
}

CommandStats::Times *CommandStats::times_of(const QByteArray &message)
{
    const QString name = name_of(message);
    auto found = by_command.find(name);
    if (found == by_command.end()) {
        if (by_command.size() >= most_rows)
            return nullptr;
        found = by_command.insert(name, Times());
    }
    return &found.value();
}

void CommandStats::add(QVector<qint64> *samples, qint64 ms)
{
    if (samples->size() >= most_samples)
        samples->remove(0, most_samples / 4);
    samples->append(ms);
}

void CommandStats::take(const Line &line)
{
    if (line.noted)
        return;
    if (line.direction == Event::Direction::to_camera && !line.bytes.isEmpty()) {
        if (Times *times = times_of(line.bytes))
            ++times->count;
        return;
    }
    if (line.direction != Event::Direction::to_controller || line.answered.isEmpty())
        return;
    Times *times = times_of(line.answered);
    const std::optional<visca::Reply> reply = visca::read_reply(line.bytes);
    if (!times || !reply)
        return;
    switch (reply->kind) {
    case visca::ReplyKind::Ack: add(&times->acks, line.delay_ms); break;
    case visca::ReplyKind::Completion:
    case visca::ReplyKind::Answer: add(&times->dones, line.delay_ms); break;
    case visca::ReplyKind::Error: ++times->errors; break;
    }
}

qint64 CommandStats::percentile(QVector<qint64> samples, double share)
{
    if (samples.isEmpty())
        return -1;
    std::sort(samples.begin(), samples.end());
    const int rank = int(std::ceil(share * samples.size()));
    return samples.at(qBound(0, rank - 1, samples.size() - 1));
}

QList<CommandStats::Row> CommandStats::rows() const
{
    QList<Row> rows;
    for (auto it = by_command.constBegin(); it != by_command.constEnd(); ++it) {
        Row row;
        row.command = it.key();
        row.count = it->count;
        row.errors = it->errors;
        row.ack_median = percentile(it->acks, 0.5);
        row.ack_p99 = percentile(it->acks, 0.99);
        row.done_median = percentile(it->dones, 0.5);
        row.done_p99 = percentile(it->dones, 0.99);
        rows << row;
    }
    std::sort(rows.begin(), rows.end(),
              [](const Row &a, const Row &b) { return a.command < b.command; });
    return rows;
}

QString CommandStats::table_text() const
{
    const auto ms = [](qint64 value) {
        return value < 0 ? QStringLiteral("-") : QString::number(value);
    };
    QString text;
    QTextStream out(&text);
    out << "command | count | ACK ms median | ACK ms p99 | completion ms median | "
           "completion ms p99 | errors\n";
    for (const Row &row : rows()) {
        out << row.command << " | " << row.count << " | " << ms(row.ack_median) << " | "
            << ms(row.ack_p99) << " | " << ms(row.done_median) << " | " << ms(row.done_p99) << " | "
            << row.errors << "\n";
    }
    return text;
}

} // namespace monitor
