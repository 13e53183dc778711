#ifndef ZARVICK_STOP_CONFIRMATION_H
#define ZARVICK_STOP_CONFIRMATION_H

#include "control/axis.h"
#include "control/link_channel.h"
#include "visca/answer_times.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

// Stops the camera must confirm, one per axis (pan-tilt, zoom, focus),
// link and camera address. Where the camera answers, a stop that gets an
// error or neither ACK nor completion within `wait_ms` goes again after
// that wait, at most `most_resends`
// times; still unconfirmed, `unconfirmed` tells the operator. A camera
// that has not answered anything since its link opened (a converter, a
// silent camera, an empty address on a chain) gets its one stop and
// nothing more; the first drive's ACK may
// come after its stop left, so that is asked when the wait is over.
class StopConfirmation : public QObject
{
    Q_OBJECT

public:
    static constexpr int wait_ms = visca::reply_ms;
    static constexpr int most_resends = 3;
    // Sends the stop again on the channel; false when it did not go.
    using Resend = std::function<bool(LinkChannel &, const QByteArray &, quint64 *message)>;

    explicit StopConfirmation(Resend send_again, QObject *parent = nullptr);
    // The stop of `axis` went out on `link` to `address` as `message`.
    void sent(Axis axis, LinkChannel &channel, int address, const QByteArray &bytes,
              quint64 message);
    // A new movement of `axis` of the camera makes the wait for its last
    // stop moot: a stop sent again now would end the new movement. The stop
    // of a drive of another camera still waits for its camera.
    void forget(Axis axis, const LinkChannel *channel, int address);

signals:
    void unconfirmed();

private:
    struct Pending {
        QPointer<LinkChannel> channel;
        int address = 0;
        QByteArray bytes;
        QList<quint64> messages;
        int resends = 0;
        QTimer timer;
        QMetaObject::Connection answers;
    };
    using Key = std::tuple<Axis, const LinkChannel *, int>;
    // One per axis and camera, made at the first stop there and kept: a
    // few cameras, three axes.
    Pending &at(const Key &key);
    void answered(Pending &stop, quint64 message, ReplyOutcome outcome);
    void again(Pending &stop);
    static void reset(Pending &stop);

    Resend resend;
    std::map<Key, std::unique_ptr<Pending>> pending;
};

#endif
