#ifndef ZARVICK_LOOP_SENDER_H
#define ZARVICK_LOOP_SENDER_H

#include "console/loop_schedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

// Sends the Manual tab's command texts one after the other, round and
// round, one interval apart, until stopped. Each tick asks `interval_field`
// for the field's text: a valid interval typed while the loop runs takes
// effect at the next tick, anything else keeps the interval it runs at.
class LoopSender : public QObject
{
    Q_OBJECT

public:
    explicit LoopSender(std::function<QString()> interval_text, QObject *parent = nullptr);
    // `rotation` is sent from its first entry on, the first one after one
    // interval.
    void start(const QStringList &rotation, int interval_ms);
    void stop();
    bool running() const { return timer.isActive() || ticking; }

signals:
    // A command text is due. The receiver may stop the loop.
    void due(const QString &text);

private:
    void tick();

    std::function<QString()> interval_field;
    QTimer timer;
    QStringList rotation;
    int interval_ms = 0;
    bool ticking = false;
    QElapsedTimer clock;
    LoopSchedule schedule;
};

#endif
