#ifndef ZARVICK_MONITOR_TERMINAL_H
#define ZARVICK_MONITOR_TERMINAL_H

#include <QStringList>

// `zarvick --monitor LISTEN=TARGET …`: the pairs run without a window, one
// line a message on standard output, until SIGINT, SIGTERM or SIGHUP; then
// the per-command table, and 0. A pair that cannot be read, opened or
// kept open: one line on standard error and 2. Needs a QCoreApplication.
int run_monitor(const QStringList &pairs);

#endif
