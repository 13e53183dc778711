#ifndef ZARVICK_STOP_CONFIRMATION_H
#define ZARVICK_STOP_CONFIRMATION_H

#include "control/axis.h"
#include "control/link_channel.h"
#include "visca/answer_times.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

// Stops the camera must confirm, one per axis (pan-tilt, zoom, focus),
// link and camera address. A stop is confirmed by its own ACK or
// completion (of any of its sends), or by the camera seen at rest: the
// axis's position asked again and again, the same in two answers at least
// `rest_ms` apart. The asking starts when the stop had no reply of its
// own within `wait_ms`; on raw VISCA a lost datagram can leave the stop's
// reply with no sure owner, and the camera itself then says whether it
// stopped. The stop goes again every `wait_ms` while the camera is silent,
// refuses it with an error, or is seen moving (then twice as often). Not
// confirmed within `give_up_ms` of a silent camera, or twice that of one
// that answers (refusing the stop, or still moving), `unconfirmed` tells
// the operator. A camera that has not answered anything since
// its link opened (a converter, a silent camera, an empty address on a
// chain) gets its one stop and nothing more.
class StopConfirmation : public QObject
{
    Q_OBJECT

public:
    static constexpr int wait_ms = visca::reply_ms;
    static constexpr int ask_ms = 50;
    static constexpr int rest_ms = 200;
    static constexpr int give_up_ms = 2 * visca::silence_ms;
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
    // Whether a stop (of `axis`) still waits for its confirmation.
    bool waiting() const;
    bool waiting(Axis axis) const;
    // The channels and addresses of the stops that wait on `link`.
    QList<std::pair<LinkChannel *, int>> waiting_on(const Link &link) const;

signals:
    // The stop at `address` on `channel` was never confirmed: the camera
    // may still be moving. `silent`: it said nothing at all meanwhile (gone
    // from the network), so the stop is worth sending when it is heard
    // again; one that answered and still did not stop refuses it.
    void unconfirmed(LinkChannel *channel, int address, bool silent);

private:
    struct Pending {
        Axis axis = Axis::PanTilt;
        QPointer<LinkChannel> channel;
        int address = 0;
        QByteArray bytes;
        QList<quint64> messages;
        int ticks = 0;
        // Since the stop last went: the camera replied, or sent an error
        // (to the stop, maybe).
        bool heard = false;
        bool refused = false;
        // The position inquiries sent.
        QSet<quint64> asked;
        // The answer the camera gave since `same_since` (when it came);
        // whether the last answer differed from the one before (moving),
        // or matched it.
        QByteArray same;
        qint64 same_since = -1;
        bool moving = false;
        // The camera said anything since the stop first went.
        bool reached = false;
        QElapsedTimer since;
        QTimer timer;
        QMetaObject::Connection hearing;
    };
    using Key = std::tuple<Axis, const LinkChannel *, int>;
    // One per axis and camera, made at the first stop there and kept: a
    // few cameras, three axes.
    Pending &at(const Key &key);
    void answered(Pending &stop, quint64 message, ReplyOutcome outcome, const QByteArray &reply);
    void seen(Pending &stop, const QByteArray &answer);
    void tick(Pending &stop);
    bool send_again(Pending &stop);
    static void reset(Pending &stop);

    Resend resend;
    std::map<Key, std::unique_ptr<Pending>> pending;
};

#endif
