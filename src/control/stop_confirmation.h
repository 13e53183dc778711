#ifndef ZARVICK_STOP_CONFIRMATION_H
#define ZARVICK_STOP_CONFIRMATION_H

#include "control/reply_tracker.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <utility>

class Link;

// Stops the camera must confirm, one per axis (pan-tilt, zoom, focus) and
// link. Where the camera answers, a stop that gets an error, or neither ACK
// nor completion within `wait_ms`, goes again, at most `most_resends`
// times; still unconfirmed, `unconfirmed` tells the operator. A link whose
// camera has not answered anything since it opened (a converter, a silent
// camera) gets its one stop and nothing more; the first drive's ACK may
// come after its stop left, so that is asked when the wait is over.
class StopConfirmation : public QObject
{
    Q_OBJECT

public:
    static constexpr int axes = 3;
    static constexpr int wait_ms = 200;
    static constexpr int most_resends = 3;
    // Sends the stop again on the link; false when it did not go.
    using Resend = std::function<bool(Link &, const QByteArray &, quint64 *message)>;

    explicit StopConfirmation(Resend send_again, QObject *parent = nullptr);
    // The stop of `axis` went out on `link` as `message`.
    void sent(int axis, Link &link, const QByteArray &bytes, quint64 message);
    // A new movement of `axis` on `link` makes the wait for its last stop
    // there moot: a stop sent again now would end the new movement. The
    // stop of a drive on another link still waits for its camera.
    void forget(int axis, Link *link);

signals:
    void unconfirmed();

private:
    struct Pending {
        QPointer<Link> link;
        QByteArray bytes;
        QList<quint64> messages;
        int resends = 0;
        QTimer timer;
        QMetaObject::Connection answers;
    };
    // One per axis and link, made at the first stop there and kept: a few
    // links, three axes.
    Pending &at(int axis, Link *link);
    void answered(Pending &stop, quint64 message, ReplyTracker::Outcome outcome);
    void again(Pending &stop);
    static void reset(Pending &stop);

    Resend resend;
    std::map<std::pair<int, Link *>, std::unique_ptr<Pending>> pending;
};

#endif
