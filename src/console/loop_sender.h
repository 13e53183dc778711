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
    // interval (and, when `held`, after release()).
    void start(const QStringList &rotation, int interval_ms, bool held = false);
    void stop();
    bool running() const { return timer.isActive() || ticking || held; }
    // Called from `due`: the next text waits, beside its interval, until
    // release() (the last one has left the link, the camera answered it).
    void hold() { held = true; }
    void release();

signals:
    // A command text is due. The receiver may stop the loop.
    void due(const QString &text);

private:
    void tick();
    void schedule_next(bool after_hold = false);

    std::function<QString()> interval_field;
    QTimer timer;
    QStringList rotation;
    int interval_ms = 0;
    bool ticking = false;
    bool held = false;
    QElapsedTimer clock;
    LoopSchedule schedule;
};

#endif
