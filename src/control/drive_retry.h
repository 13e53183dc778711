#ifndef ZARVICK_DRIVE_RETRY_H
#define ZARVICK_DRIVE_RETRY_H

#include "control/axis.h"
#include "control/link_channel.h"
#include "visca/answer_times.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>

// A held drive (or a Go's move) that the camera neither acknowledged nor
// completed in time goes again, for as long as it is held: on a link of datagrams the first may
// never have arrived, and the operator holding the button sees a camera
// that does not move. Never after its release. In time is three times the
// camera's reply time, from `least_wait_ms` to `wait_ms`: a
// camera that answers in a millisecond gets its drive again long before
// the operator lets go.
// A camera that has not answered anything since its link opened is not
// expected to reply, and gets its drive once.
class DriveRetry : public QObject
{
    Q_OBJECT

public:
    static constexpr int wait_ms = visca::reply_ms;
    static constexpr int least_wait_ms = 60;
    // Sends the drive again on the channel; false when it did not go.
    using Send = std::function<bool(LinkChannel &, const QByteArray &, quint64 *message)>;

    explicit DriveRetry(Send send_again, QObject *parent = nullptr);
    // The drive of `axis` went out on `channel` to `address` as `message`.
    void sent(Axis axis, LinkChannel &channel, int address, const QByteArray &bytes,
              quint64 message);
    // The drive of `axis` is held no more (its stop is on its way).
    void ended(Axis axis);

private:
    struct Drive {
        QPointer<LinkChannel> channel;
        int address = 0;
        QByteArray bytes;
        QList<quint64> messages;
        QTimer timer;
        QMetaObject::Connection answers;
    };
    Drive &of(Axis axis) { return drives.at(std::size_t(axis)); }
    void again(Drive &drive);
    static void wait(Drive &drive);
    static void end(Drive &drive);

    Send resend;
    std::array<Drive, 3> drives;
};

#endif
