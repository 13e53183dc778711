#ifndef ZARVICK_CHAIN_FINDER_H
#define ZARVICK_CHAIN_FINDER_H

#include "visca/answer_times.h"
#include "visca/packet_cutter.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class Link;
class LinkChannel;

// Asks the cameras chained on a serial line to number themselves: the
// interface-clear broadcast, then address set; the last camera hands the
// next free number back, which tells how many cameras the line holds.
class ChainFinder : public QObject
{
    Q_OBJECT

public:
    static constexpr int answer_limit_ms = visca::silence_ms;

    explicit ChainFinder(QObject *parent = nullptr);
    // False when the broadcasts did not go out (the line's errorText() says why).
    bool find(LinkChannel &line);
    bool finding() const { return limit.isActive(); }

signals:
    // Cameras 1 to `cameras` are on the line.
    void found(int cameras);
    // Nothing came back in time, or the link closed.
    void silent();

private:
    void take(const QList<QByteArray> &replies);
    void end();

    QPointer<Link> asked;
    QMetaObject::Connection hearing;
    PacketCutter cutter;
    QTimer limit;
};

#endif
