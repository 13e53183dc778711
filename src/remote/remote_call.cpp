#include "remote/remote_call.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace {

Refusal refused(int status, const QString &error) { return {status, error}; }

// A place or number in a path: decimal digits only, and not too many.
std::optional<int> path_number(const QByteArray &word)
{
    if (word.isEmpty() || word.size() > 6)
        return std::nullopt;
    for (const char digit : word) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
    }
    return word.toInt();
}

// What a camera's own path asks ("select", "presets/3/recall", …).
ReadCall camera_call(int camera, const QList<QByteArray> &rest)
{
    using Kind = RemoteCall::Kind;
    RemoteCall call;
    call.camera = camera;
    static const std::pair<const char *, Kind> plain[] = {
        {"select", Kind::Select}, {"drive", Kind::Drive}, {"stop", Kind::Stop},
        {"home", Kind::Home},     {"tally", Kind::Tally}, {"command", Kind::Command}};
    if (rest.size() == 1) {
        for (const auto &[word, kind] : plain) {
            if (rest[0] == word) {
                call.kind = kind;
                return call;
            }
        }
    }
    if (rest.size() == 3) {
        const std::optional<int> number = path_number(rest[1]);
        if (number && rest[0] == "presets" && (rest[2] == "recall" || rest[2] == "store")) {
            call.kind = rest[2] == "recall" ? Kind::Recall : Kind::Store;
            call.number = *number;
            return call;
        }
        if (number && rest[0] == "positions" && rest[2] == "go") {
            call.kind = Kind::Go;
            call.number = *number;
            return call;
        }
    }
    return refused(404, QStringLiteral("no such request"));
}

// Whether `value` is a whole number from `lowest` to `highest`: the range
// first, for a number beyond an int's has no int to compare with.
bool whole_within(double value, int lowest, int highest)
{
    return value >= lowest && value <= highest && value == std::floor(value);
}

// A whole number of milliseconds a lease may last.
bool lease_value(double value) { return whole_within(value, 1, RemoteCommands::longest_lease_ms); }

Refusal lease_refused()
{
    return refused(
        400, QStringLiteral("lease_ms runs from 1 to %1").arg(RemoteCommands::longest_lease_ms));
}

std::optional<double> *axis_named(RemoteCommands::Axes &axes, const QString &name)
{
    const std::pair<const char *, std::optional<double> *> named[] = {
        {"pan", &axes.pan}, {"tilt", &axes.tilt}, {"zoom", &axes.zoom}, {"focus", &axes.focus}};
    for (const auto &[word, axis] : named) {
        if (name == QLatin1String(word))
            return axis;
    }
    return nullptr;
}

// The drive's values: the axes it names, and its lease.
std::optional<Refusal> read_drive_body(RemoteCall &call, const QJsonObject &object)
{
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        const QString key = entry.key();
        if (!entry->isDouble())
            return refused(400, QStringLiteral("\"%1\" is no number").arg(key.left(40)));
        const double value = entry->toDouble();
        if (key == QLatin1String("lease_ms")) {
            if (!lease_value(value))
                return lease_refused();
            call.lease_ms = int(value);
            continue;
        }
        std::optional<double> *axis = axis_named(call.axes, key);
        if (!axis)
            return refused(400, QStringLiteral("no axis \"%1\"").arg(key.left(40)));
        if (!(value >= -1 && value <= 1))
            return refused(400, QStringLiteral("\"%1\" runs from -1 to 1").arg(key));
        *axis = value;
    }
    return std::nullopt;
}

// The JSON body's values for a call that takes some.
std::optional<Refusal> read_body(RemoteCall &call, const QByteArray &body)
{
    using Kind = RemoteCall::Kind;
    if (call.kind != Kind::Drive && call.kind != Kind::Tally && call.kind != Kind::Command)
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refused(400, QStringLiteral("the body is no JSON object"));
    const QJsonObject object = document.object();
    if (call.kind == Kind::Drive)
        return read_drive_body(call, object);
    const char *key = call.kind == Kind::Tally ? "state" : "hex";
    const QJsonValue value = object.value(QLatin1String(key));
    // A command may start a movement: it holds for its lease, as a drive.
    const bool leased = call.kind == Kind::Command && object.contains("lease_ms");
    if (leased) {
        const QJsonValue lease = object.value("lease_ms");
        if (!lease.isDouble() || !lease_value(lease.toDouble()))
            return lease_refused();
        call.lease_ms = int(lease.toDouble());
    }
    if (!value.isString() || object.size() != (leased ? 2 : 1))
        return refused(
            400, QStringLiteral("the body holds \"%1\", a text, alone").arg(QLatin1String(key)));
    call.text = value.toString();
    return std::nullopt;
}

bool is_number(const OscArgument &argument) { return QByteArray("ihfd").contains(argument.type); }

// Where an OSC address points: the camera (0 active) and the request's
// words as HTTP writes them ("presets", "3", "recall").
std::variant<std::pair<int, QList<QByteArray>>, Refusal>
osc_request(const QByteArray &address, const QList<OscArgument> &arguments)
{
    const QList<QByteArray> words = address.split('/');
    // "", "zarvick", "camera", n, … or "", "zarvick", "active", …
    if (words.size() < 4 || !words[0].isEmpty() || words[1] != "zarvick")
        return refused(404, QStringLiteral("no such request"));
    int camera = 0;
    if (words[2] == "camera") {
        camera = words.size() > 4 ? path_number(words[3]).value_or(0) : 0;
        if (camera == 0)
            return refused(404, QStringLiteral("no such request"));
    } else if (words[2] != "active") {
        return refused(404, QStringLiteral("no such request"));
    }
    QList<QByteArray> rest = words.mid(camera == 0 ? 3 : 4);
    // OSC's own words, a number in its argument: /preset/recall i, /position/go i.
    if (rest.size() == 2 && (rest[0] == "preset" || rest[0] == "position")) {
        const double number =
            arguments.size() == 1 && is_number(arguments[0]) ? arguments[0].number : -1;
        if (!whole_within(number, 0, 999999))
            return refused(400, QStringLiteral("%1 takes a whole number").arg(QString(address)));
        rest = {rest[0] == "preset" ? "presets" : "positions", QByteArray::number(int(number)),
                rest[1]};
    } else if (rest.size() == 1 && rest[0] != "drive" && rest[0] != "tally" &&
               !arguments.isEmpty()) {
        return refused(400, QStringLiteral("%1 takes nothing").arg(QString(address)));
    }
    return std::pair(camera, rest);
}

// The drive's and the tally's arguments.
std::optional<Refusal> read_osc_arguments(RemoteCall &call, const QList<OscArgument> &arguments)
{
    if (call.kind == RemoteCall::Kind::Tally) {
        if (arguments.size() != 1 || arguments[0].type != 's')
            return refused(400, QStringLiteral("tally takes a text"));
        call.text = arguments[0].text;
        return std::nullopt;
    }
    if (call.kind != RemoteCall::Kind::Drive)
        return std::nullopt;
    if (arguments.size() < 4 || arguments.size() > 5 ||
        !std::all_of(arguments.begin(), arguments.end(), is_number))
        return refused(400, QStringLiteral("drive takes pan, tilt, zoom, focus and a lease"));
    std::optional<double> *axes[] = {&call.axes.pan, &call.axes.tilt, &call.axes.zoom,
                                     &call.axes.focus};
    for (int i = 0; i < 4; ++i) {
        const double value = arguments[i].number;
        if (!(value >= -1 && value <= 1))
            return refused(400, QStringLiteral("an axis runs from -1 to 1"));
        *axes[i] = value;
    }
    if (arguments.size() == 5) {
        if (!lease_value(arguments[4].number))
            return lease_refused();
        call.lease_ms = int(arguments[4].number);
    }
    return std::nullopt;
}

} // namespace

ReadCall read_http_call(const QByteArray &method, const QByteArray &path, const QByteArray &body)
{
    const QList<QByteArray> words = path.split('/');
    // "", "api", "v1", "cameras", …
    if (words.size() < 4 || !words[0].isEmpty() || words[1] != "api" || words[2] != "v1")
        return refused(404, QStringLiteral("no such request"));
    const bool get = method == "GET";
    if (words.size() == 4 && words[3] == "stop") {
        if (method != "POST")
            return refused(405, QStringLiteral("this request is a POST"));
        RemoteCall call;
        call.kind = RemoteCall::Kind::StopAll;
        return call;
    }
    if (words.size() == 4 && (words[3] == "cameras" || words[3] == "events")) {
        if (!get)
            return refused(405, QStringLiteral("this request is a GET"));
        RemoteCall call;
        call.kind = words[3] == "cameras" ? RemoteCall::Kind::Cameras : RemoteCall::Kind::Events;
        return call;
    }
    // Places count from 1 (OSC's /active is no place).
    const int camera = words.size() > 5 ? path_number(words[4]).value_or(0) : 0;
    if (words[3] != "cameras")
        return refused(404, QStringLiteral("no such request"));
    if (camera == 0)
        return refused(404, QStringLiteral("no camera %1").arg(QString(words.value(4).left(8))));
    ReadCall read = camera_call(camera, words.mid(5));
    auto *call = std::get_if<RemoteCall>(&read);
    if (!call)
        return read;
    if (method != "POST")
        return refused(405, QStringLiteral("this request is a POST"));
    if (const std::optional<Refusal> bad = read_body(*call, body))
        return *bad;
    return read;
}

ReadCall read_osc_call(const QByteArray &address, const QList<OscArgument> &arguments)
{
    if (address == "/zarvick/stop") {
        if (!arguments.isEmpty())
            return refused(400, QStringLiteral("%1 takes nothing").arg(QString(address)));
        RemoteCall call;
        call.kind = RemoteCall::Kind::StopAll;
        return call;
    }
    const auto request = osc_request(address, arguments);
    if (const auto *refusal = std::get_if<Refusal>(&request))
        return *refusal;
    const auto &[camera, rest] = std::get<std::pair<int, QList<QByteArray>>>(request);
    ReadCall read = camera_call(camera, rest);
    auto *call = std::get_if<RemoteCall>(&read);
    // The Manual tab's bytes are HTTP's alone: OSC has no answer to carry
    // the replies.
    if (call && call->kind == RemoteCall::Kind::Command)
        return refused(404, QStringLiteral("no such request"));
    if (!call)
        return read;
    if (const std::optional<Refusal> bad = read_osc_arguments(*call, arguments))
        return *bad;
    return read;
}

QByteArray error_body(const QString &error)
{
    return QJsonDocument(QJsonObject{{"error", error}}).toJson(QJsonDocument::Compact);
}

QJsonObject camera_object(const RemoteCommands::View &camera)
{
    QJsonValue position = QJsonValue::Null;
    if (camera.position) {
        const std::array<int, 4> &at = *camera.position;
        position = QJsonObject{{"pan", at[0]}, {"tilt", at[1]}, {"zoom", at[2]}, {"focus", at[3]}};
    }
    return {{"number", camera.number},   {"id", camera.id},
            {"name", camera.name},       {"link", camera.link},
            {"address", camera.address}, {"state", camera.state},
            {"tally", camera.tally},     {"tallySource", camera.tally_source},
            {"position", position},      {"positions", QJsonArray::fromStringList(camera.kept)}};
}

QByteArray cameras_body(int active, const QJsonArray &cameras)
{
    return QJsonDocument(QJsonObject{{"active", active}, {"cameras", cameras}})
        .toJson(QJsonDocument::Compact);
}

int status_of(RemoteCommands::Failure failure)
{
    switch (failure) {
    case RemoteCommands::Failure::BadRequest: return 400;
    case RemoteCommands::Failure::NotFound: return 404;
    case RemoteCommands::Failure::NotOpen: return 409;
    case RemoteCommands::Failure::TooMany: return 429;
    case RemoteCommands::Failure::None: break;
    }
    return 200;
}
