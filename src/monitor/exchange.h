#ifndef ZARVICK_MONITOR_EXCHANGE_H
#define ZARVICK_MONITOR_EXCHANGE_H

#include "monitor/endpoint.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The part of a monitor pair that works on bytes alone: what a
// controller's message becomes toward the camera, which controller a
// camera's message goes back to and as what, and which message a reply
// answers. The pair's sockets only carry what it returns.
namespace monitor {

// A message on its way, one each datagram or, on a stream, each message
// cut at FF.
struct Event {
    enum class Direction { to_camera, to_controller, note };
    Direction direction = Direction::note;
    // -1 when no controller is concerned.
    int controller = -1;
    // The VISCA message, without a VISCA over IP header; a control
    // message's payload.
    QByteArray bytes;
    // Its VISCA over IP number, where it travelled with one.
    std::optional<quint32> sequence;
    // The controller's message a reply answers, and how long after it.
    QByteArray answered;
    qint64 delay_ms = -1;
    // What the monitor itself did or saw, in the program's language.
    QString note;
};

struct Out {
    QList<QByteArray> to_camera;
    // The controller the bytes go back to (-1: none).
    int controller = -1;
    QList<QByteArray> to_controller;
    QList<Event> events;
};

// A message still owed a reply.
struct Waiting {
    QByteArray message;
    qint64 at_ms = 0;
    quint32 sequence = 0;
    // 1-7, 8 for a broadcast, 0 when the message names no camera.
    int address = 0;
    // The command socket its ACK named; 0 before its first reply.
    int socket = 0;
};

// The camera a message goes to or comes from: 1-7, 8 for a broadcast
// (88 …), 0 for none.
int camera_of(const QByteArray &message);

// The waiting message `reply` answers, taken off the list with its last
// reply (an ACK leaves it there for its completion). By `sequence` where the
// camera numbered the reply; else its camera's oldest message not answered
// yet, and a completion the message its socket's ACK took; none when no
// message waits for it.
std::optional<Waiting> take_answered(QList<Waiting> *waiting, const QByteArray &reply,
                                     std::optional<quint32> sequence);

class Exchange
{
public:
    Exchange(Kind listen_kind, Kind target_kind) : listen(listen_kind), target(target_kind) {}

    // A datagram (or a stream's message) from `controller`.
    Out from_controller(int controller, const QByteArray &unit, qint64 now_ms);
    // A camera's datagram or message; `controller` is the one whose own
    // connection it came on, -1 for a serial camera the controllers share.
    Out from_camera(int controller, const QByteArray &unit, qint64 now_ms);
    void forget(int controller);
    int waiting(int controller) const;
    // A controller's messages owed a reply: beyond this the oldest is
    // taken for one that will not come.
    static constexpr int most_waiting = 32;

private:
    struct Side {
        QList<Waiting> waiting;
        // The number the controller's last message carried (VISCA over IP
        // controller), and the next the monitor gives (VISCA over IP camera).
        quint32 last_sequence = 0;
        quint32 next_sequence = 1;
        bool numbered = false;
    };
    void from_numbered_controller(int controller, const QByteArray &unit, qint64 now_ms, Out *out);
    void from_plain_controller(int controller, const QByteArray &unit, qint64 now_ms, Out *out);
    void sent(int controller, const QByteArray &visca, quint32 sequence, qint64 now_ms, Out *out);
    void from_numbered_camera(int controller, const QByteArray &unit, qint64 now_ms, Out *out);
    Event reply_event(int controller, const QByteArray &visca, std::optional<quint32> sequence,
                      qint64 now_ms);
    static Event control_event(Event::Direction direction, int controller, const QByteArray &unit);
    int routed(const QByteArray &message) const;

    Kind listen;
    Kind target;
    QHash<int, Side> sides;
    // Who last spoke to each camera of a shared serial line (8: the last
    // broadcast's sender).
    QHash<int, int> last_sender;
};

} // namespace monitor

#endif
