#ifndef ZARVICK_BENCH_FIGURES_H
#define ZARVICK_BENCH_FIGURES_H

#include <QString>
#include <QStringList>
#include <vector>

// One row of the printed table: a figure beside its anchor from the same run.
struct Figure {
    QString measure;
    double value;
    double anchor; // 0 when the figure has no anchor
    QString unit;
    QString goal;
};

double percentile(std::vector<double> values, double share);
inline double median(std::vector<double> values) { return percentile(std::move(values), 0.5); }
long resident_bytes();
double thread_cpu_seconds();

// Child processes measured from the outside (start-up, log growth).
int run_startup_child(int argc, char *argv[], const QString &kind);
int run_log_child(int argc, char *argv[], const QString &kind);
int run_hostile_child(int argc, char *argv[]);

#endif
