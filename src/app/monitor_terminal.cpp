#include "app/monitor_terminal.h"

#include "control/end_signals.h"
#include "monitor/monitor.h"
#include "service/line_output.h"

#include <QCoreApplication>
#include <QTextStream>
#include <unistd.h>

int run_monitor(const QStringList &pairs)
{
    QTextStream err(stderr);
    monitor::Monitor watch;
    for (const QString &text : pairs) {
        QString why;
        const std::optional<monitor::PairSpec> setup = monitor::read_pair(text, &why);
        if (!setup || !watch.add(*setup, &why)) {
            err << "zarvick: --monitor " << text << ": " << why << "\n";
            return 2;
        }
    }
    // Line by line, as each message passes; a reader that stops reading
    // holds up none of them.
    LineOutput out(STDOUT_FILENO);
    QObject::connect(&watch, &monitor::Monitor::line, &watch,
                     [&out](const monitor::Line &line) { out.print(monitor::line_text(line)); });
    QString why;
    if (!watch.start(&why)) {
        err << "zarvick: " << why << "\n";
        return 2;
    }
    int code = 0;
    QObject::connect(&watch, &monitor::Monitor::pair_failed, &watch,
                     [&err, &code](int, const QString &reason) {
                         err << "zarvick: " << reason << "\n";
                         code = 2;
                         QCoreApplication::quit();
                     });
    EndSignals ending;
    QObject::connect(&ending, &EndSignals::arrived, &watch, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    watch.stop();
    out.print(QString());
    for (const QString &row : watch.stats().table_text().split('\n', Qt::SkipEmptyParts))
        out.print(row);
    return code;
}
