#ifndef ZARVICK_END_SIGNALS_H
#define ZARVICK_END_SIGNALS_H

#include <QObject>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, a service manager,
// Ctrl+C) as a signal of the event loop: the program ends as a confirmed
// exit does, with a stop for every axis that may be moving, instead of
// dying with its cameras on the move. The system's handler only writes a
// byte to a pipe; what follows runs from the event loop. One per process.
class EndSignals : public QObject
{
    Q_OBJECT

public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void arrived(int signal_number);

private:
    void read();
    std::unique_ptr<QSocketNotifier> notifier;
};

#endif
