#ifndef ZARVICK_REPLIES_H
#define ZARVICK_REPLIES_H

#include <QByteArray>
#include <QList>
#include <optional>

// What a camera's message says about the messages sent to it. Cameras 1 to
// 7 answer with the header z0, z = address + 8 (90 … F0).
namespace visca {

enum class ReplyKind {
    Ack,        // y0 4z FF: taken into command socket z
    Completion, // y0 5z FF, z 1-F: the command of socket z is done
    Answer,     // y0 50 … FF: an inquiry's answer, or a socketless command's (interface clear)
    Error,      // y0 6z ee FF
};

struct Reply {
    ReplyKind kind;
    int address;    // 1-7
    int socket = 0; // z
    // An error's code: 01 length, 02 syntax, 03 buffer full, 04 cancelled,
    // 05 no socket, 41 not executable.
    quint8 error = 0;
    QByteArray data; // an answer's bytes between y0 50 and FF
};

// Empty for anything that is no reply to a controller's message: a
// broadcast (88 …), a network change (y0 38 FF), a truncated or garbled
// message.
std::optional<Reply> read_reply(const QByteArray &message);

// The camera (1-7) a controller's message goes to (header 81-87), or none:
// a broadcast, a reply, no header at all.
std::optional<int> addressee(const QByteArray &message);
// The camera (1-7) that the messages in `bytes` (one or more, as written)
// go to, each once, in order: headers 81-87; broadcasts and replies go to
// no camera of a list.
QList<int> addressees(const QByteArray &bytes);
// The camera (1-7) a camera's message comes from (header z0, z = address
// + 8), or none: an empty datagram, a broadcast, a controller's message.
std::optional<int> sender_of(const QByteArray &message);

// Whether `reply` can be the first reply to `message` (one controller
// message): an ACK, a completion or an empty answer (interface clear) only
// a command's (8x 01 …); an answer only an inquiry's (8x 09 …), of the
// size the inquiries known here answer with; an error either's. Anything
// for other messages.
bool may_answer(const QByteArray &message, const Reply &reply);

// The version inquiry's answer, y0 50 GG GG HH HH JJ JJ KK FF: vendor,
// model, ROM version, sockets; empty for anything else.
struct Version {
    int vendor;
    int model;
    int rom;
    int sockets;
};
std::optional<Version> read_version(const QByteArray &message);

} // namespace visca

#endif
