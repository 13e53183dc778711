#ifndef ZARVICK_MONITOR_MONITOR_H
#define ZARVICK_MONITOR_MONITOR_H

#include "monitor/command_stats.h"
#include "monitor/endpoint.h"
#include "monitor/line.h"

#include <QList>
#include <QObject>

namespace monitor {

class Pair;

// Every monitor pair of the program, started and stopped together, their
// lines in one stream and one per-command table. The window, the terminal
// mode and any other front end use it alike.
class Monitor : public QObject
{
    Q_OBJECT

public:
    explicit Monitor(QObject *parent = nullptr);
    ~Monitor() override;
    // A pair, numbered from 1 in the order added; started at once when the
    // monitor runs (false with the reason when it cannot).
    bool add(const PairSpec &setup, QString *error = nullptr);
    void remove(int index);
    QList<PairSpec> pairs() const;
    // Whether pair `index` listens now.
    bool pair_running(int index) const;
    // Starts every pair; when one cannot start, none runs and `error` says
    // why.
    bool start(QString *error);
    void stop();
    bool running() const { return is_running; }
    const CommandStats &stats() const { return table; }
    void clear_stats() { table.clear(); }

    static constexpr int most_pairs = monitor::most_pairs;

signals:
    void line(const monitor::Line &line);
    // A pair stopped on its own; the others run on.
    void pair_failed(int index, const QString &reason);
    void running_changed(bool running);

private:
    void take(const Line &line);
    Pair *make_pair(const PairSpec &setup);
    QList<Pair *> all;
    CommandStats table;
    bool is_running = false;
};

} // namespace monitor

#endif
