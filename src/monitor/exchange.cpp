#include "monitor/exchange.h"

#include "visca/command_text.h"
#include "visca/replies.h"
#include "visca/visca_over_ip.h"

#include <QCoreApplication>
#include <algorithm>

namespace ip = visca_over_ip;

namespace {
QString exchange_words(const char *text) { return QCoreApplication::translate("MainWindow", text); }

constexpr quint8 broadcast_header = 0x88;

bool carries_visca(quint16 type)
{
    return type == ip::command || type == ip::inquiry || type == ip::device_setting;
}

// What a VISCA over IP control message says.
QString control_words(const std::optional<ip::Message> &message)
{
    if (!message)
        return exchange_words("not a VISCA over IP datagram");
    if (message->payload == ip::reset_payload) {
        return (message->type == ip::control ? exchange_words("sequence number reset")
                                             : exchange_words("sequence number reset done"))
            .append(exchange_words(", number %1").arg(message->sequence));
    }
    if (message->payload == ip::sequence_error)
        return exchange_words("abnormal sequence number %1").arg(message->sequence);
    if (message->payload == ip::message_error)
        return exchange_words("abnormal message, number %1").arg(message->sequence);
    return exchange_words("VISCA over IP message of type %1, number %2")
        .arg(QString::number(message->type, 16).rightJustified(4, '0').toUpper())
        .arg(message->sequence);
}

// The oldest message to `address` that has had no reply yet.
QList<monitor::Waiting>::iterator first_unanswered(QList<monitor::Waiting> *waiting, int address)
{
    return std::find_if(waiting->begin(), waiting->end(), [address](const monitor::Waiting &w) {
        return w.address == address && w.socket == 0;
    });
}
} // namespace

namespace monitor {

int camera_of(const QByteArray &message)
{
    if (message.isEmpty())
        return 0;
    if (quint8(message.at(0)) == broadcast_header)
        return 8;
    if (const std::optional<int> to = visca::addressee(message))
        return *to;
    return visca::sender_of(message).value_or(0);
}

std::optional<Waiting> take_answered(QList<Waiting> *waiting, const QByteArray &reply,
                                     std::optional<quint32> sequence)
{
    const std::optional<visca::Reply> read = visca::read_reply(reply);
    auto found = waiting->end();
    if (sequence) {
        found = std::find_if(waiting->begin(), waiting->end(),
                             [&](const Waiting &w) { return w.sequence == *sequence; });
    } else if (read && read->kind == visca::ReplyKind::Completion) {
        found = std::find_if(waiting->begin(), waiting->end(), [&](const Waiting &w) {
            return w.address == read->address && w.socket == read->socket;
        });
    } else {
        found = first_unanswered(waiting, camera_of(reply));
        // An error of a socket (a cancel's) names a message already taken.
        if (found == waiting->end() && read && read->kind == visca::ReplyKind::Error &&
            read->socket > 0) {
            found = std::find_if(waiting->begin(), waiting->end(), [&](const Waiting &w) {
                return w.address == read->address && w.socket == read->socket;
            });
        }
    }
    if (found == waiting->end())
        return std::nullopt;
    const Waiting answered = *found;
    if (read && read->kind == visca::ReplyKind::Ack)
        found->socket = read->socket;
    else
        waiting->erase(found);
    return answered;
}

Out Exchange::from_controller(int controller, const QByteArray &unit, qint64 now_ms)
{
    Out out;
    out.controller = controller;
    sides[controller];
    if (listen == Kind::visca_ip)
        from_numbered_controller(controller, unit, now_ms, &out);
    else
        from_plain_controller(controller, unit, now_ms, &out);
    return out;
}

void Exchange::from_numbered_controller(int controller, const QByteArray &unit, qint64 now_ms,
                                        Out *out)
{
    const std::optional<ip::Message> message = ip::unpack(unit);
    const bool visca = message && carries_visca(message->type);
    if (message)
        sides[controller].last_sequence = message->sequence;
    if (target == Kind::visca_ip) {
        // The camera numbers its replies itself: everything passes as it is.
        out->to_camera << unit;
        if (visca)
            sent(controller, message->payload, message->sequence, now_ms, out);
        else
            out->events << control_event(Event::Direction::to_camera, controller, unit);
        return;
    }
    if (!visca) {
        // A camera without numbers has no answer to these: the monitor
        // answers as a VISCA over IP camera would.
        const bool reset =
            message && message->type == ip::control && message->payload == ip::reset_payload;
        const quint32 number = message ? message->sequence : 0;
        out->to_controller << ip::pack(ip::control_reply, number,
                                       reset ? ip::reset_payload : ip::message_error);
        Event event = control_event(Event::Direction::to_camera, controller, unit);
        event.note += exchange_words(": answered by the monitor");
        out->events << event;
        return;
    }
    out->to_camera << message->payload;
    sent(controller, message->payload, message->sequence, now_ms, out);
}

void Exchange::from_plain_controller(int controller, const QByteArray &unit, qint64 now_ms,
                                     Out *out)
{
    if (target != Kind::visca_ip) {
        out->to_camera << unit;
        sent(controller, unit, 0, now_ms, out);
        return;
    }
    Side &side = sides[controller];
    if (!side.numbered) {
        // A VISCA over IP camera may still expect the numbers of an earlier
        // controller from this address: start it afresh.
        side.numbered = true;
        out->to_camera << ip::pack(ip::control, 0, ip::reset_payload);
    }
    const quint32 number = side.next_sequence++;
    out->to_camera << ip::pack(ip::type_of(unit), number, unit);
    sent(controller, unit, number, now_ms, out);
}

void Exchange::sent(int controller, const QByteArray &visca, quint32 sequence, qint64 now_ms,
                    Out *out)
{
    const int address = camera_of(visca);
    if (address > 0)
        last_sender[address] = controller;
    QList<Waiting> &waiting = sides[controller].waiting;
    waiting << Waiting{visca, now_ms, sequence, address, 0};
    if (waiting.size() > most_waiting)
        waiting.removeFirst();
    Event event;
    event.direction = Event::Direction::to_camera;
    event.controller = controller;
    event.bytes = visca;
    if (listen == Kind::visca_ip || target == Kind::visca_ip)
        event.sequence = sequence;
    out->events << event;
}

Out Exchange::from_camera(int controller, const QByteArray &unit, qint64 now_ms)
{
    Out out;
    if (target == Kind::visca_ip) {
        out.controller = controller;
        from_numbered_camera(controller, unit, now_ms, &out);
        return out;
    }
    // On a controller's own connection a camera may speak first (a
    // network change notice on connecting): it is that controller's.
    const int to = controller >= 0 ? controller : routed(unit);
    if (to < 0 || (controller < 0 && !sides.contains(to))) {
        Event event;
        event.direction = Event::Direction::to_controller;
        event.bytes = unit;
        event.note = exchange_words("no controller has spoken to this camera: passed to none");
        out.events << event;
        return out;
    }
    out.controller = to;
    Event event = reply_event(to, unit, std::nullopt, now_ms);
    if (listen == Kind::visca_ip) {
        // The reply carries the number of the message it answers, as the
        // camera's own would.
        const quint32 number = event.sequence.value_or(sides[to].last_sequence);
        event.sequence = number;
        out.to_controller << ip::pack(ip::reply, number, unit);
    } else {
        out.to_controller << unit;
    }
    out.events << event;
    return out;
}

void Exchange::from_numbered_camera(int controller, const QByteArray &unit, qint64 now_ms, Out *out)
{
    const std::optional<ip::Message> message = ip::unpack(unit);
    const bool reply = message && message->type == ip::reply;
    if (listen == Kind::visca_ip)
        out->to_controller << unit;
    else if (reply)
        out->to_controller << message->payload;
    if (reply) {
        out->events << reply_event(controller, message->payload, message->sequence, now_ms);
        return;
    }
    Event event = control_event(Event::Direction::to_controller, controller, unit);
    if (listen != Kind::visca_ip)
        event.note += exchange_words(": taken by the monitor");
    out->events << event;
}

Event Exchange::reply_event(int controller, const QByteArray &visca,
                            std::optional<quint32> sequence, qint64 now_ms)
{
    Event event;
    event.direction = Event::Direction::to_controller;
    event.controller = controller;
    event.bytes = visca;
    event.sequence = sequence;
    const std::optional<Waiting> asked = take_answered(&sides[controller].waiting, visca, sequence);
    if (asked) {
        event.answered = asked->message;
        event.delay_ms = now_ms - asked->at_ms;
        if (listen == Kind::visca_ip || target == Kind::visca_ip)
            event.sequence = asked->sequence;
    }
    return event;
}

Event Exchange::control_event(Event::Direction direction, int controller, const QByteArray &unit)
{
    const std::optional<ip::Message> message = ip::unpack(unit);
    Event event;
    event.direction = direction;
    event.controller = controller;
    event.bytes = message ? message->payload : unit;
    if (message)
        event.sequence = message->sequence;
    event.note = control_words(message);
    return event;
}

int Exchange::routed(const QByteArray &message) const
{
    // One controller gets everything its camera says; among several, a
    // message goes to whoever last spoke to the camera it comes from.
    if (sides.size() == 1)
        return sides.constBegin().key();
    return last_sender.value(camera_of(message), -1);
}

void Exchange::forget(int controller)
{
    sides.remove(controller);
    for (auto it = last_sender.begin(); it != last_sender.end();) {
        if (it.value() == controller)
            it = last_sender.erase(it);
        else
            ++it;
    }
}

int Exchange::waiting(int controller) const { return sides.value(controller).waiting.size(); }

} // namespace monitor
