#include "app/monitor_terminal.h"

#include "control/end_signals.h"
#include "monitor/monitor.h"

#include <QCoreApplication>
#include <QTextStream>

int run_monitor(const QStringList &pairs)
{
    QTextStream err(stderr);
    monitor::Monitor watch;
    for (const QString &text : pairs) {
        QString why;
        const std::optional<monitor::PairSpec> spec = monitor::read_pair(text, &why);
        if (!spec || !watch.add(*spec, &why)) {
            err << "zarvick: --monitor " << text << ": " << why << "\n";
            return 2;
        }
    }
    QTextStream out(stdout);
    QObject::connect(&watch, &monitor::Monitor::line, &watch, [&out](const monitor::Line &line) {
        // Flushed line by line: whoever reads the pipe sees each message
        // as it passes.
        out << monitor::line_text(line) << "\n";
        out.flush();
    });
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
    out << "\n" << watch.stats().table_text();
    out.flush();
    return code;
}
