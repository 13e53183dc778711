#ifndef ZARVICK_REMOTE_CALL_H
#define ZARVICK_REMOTE_CALL_H

#include "control/remote_commands.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <functional>
#include <variant>

// One request of an outside interface, read from HTTP (method, path, JSON
// body) or OSC (address pattern, arguments), before anything is done: a
// request that does not read is refused whole, with the reason.
struct RemoteCall {
    enum class Kind {
        Cameras,
        Events,
        Select,
        Drive,
        Stop,
        StopAll,
        Home,
        Recall,
        Store,
        Go,
        Tally,
        Command
    };
    Kind kind = Kind::Cameras;
    // The camera's place from 1; 0 for the active camera (OSC).
    int camera = 0;
    // A preset (0-254) or a kept position (from 1).
    int number = 0;
    RemoteCommands::Axes axes;
    int lease_ms = RemoteCommands::default_lease_ms;
    // A tally state or a command's hex.
    QString text;
};

// Why a request was refused: the HTTP status (400, 404, 405) and the text
// of its {"error": …}.
struct Refusal {
    int status;
    QString error;
};

using ReadCall = std::variant<RemoteCall, Refusal>;

// HTTP, version 1: "GET /api/v1/cameras", "POST /api/v1/cameras/2/drive"
// with {"pan": 0.5, "lease_ms": 800}, …
ReadCall read_http_call(const QByteArray &method, const QByteArray &path, const QByteArray &body);
// OSC: "/zarvick/camera/2/drive" with floats pan, tilt, zoom, focus and an
// optional int lease, "/zarvick/active/preset/recall" with an int, …
// Each argument with its OSC type tag: 'f', 'd', 'i', 'h' numbers, 's' text.
struct OscArgument {
    char type;
    double number;
    QString text;
};
ReadCall read_osc_call(const QByteArray &address, const QList<OscArgument> &arguments);

// The bodies of the answers: {"error": …}, one camera, and the list
// ({"active": n, "cameras": [...]}).
QByteArray error_body(const QString &error);
QJsonObject camera_object(const RemoteCommands::View &camera);
QByteArray cameras_body(int active, const QJsonArray &cameras);
// The HTTP status of a failure of the core.
int status_of(RemoteCommands::Failure failure);

// Does what `call` asks (not Events), from `source`; `done` gets the HTTP
// status and JSON body of the answer, at once or when a command's
// replies are in.
using Answered = std::function<void(int status, const QByteArray &body)>;
void perform(RemoteCommands &commands, const RemoteCall &call, const QString &source,
             const Answered &done);

#endif
