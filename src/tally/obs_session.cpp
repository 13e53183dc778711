#include "tally/obs_session.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <optional>
#include <vector>

namespace {
enum Op {
    hello_op = 0,
    identify_op = 1,
    identified_op = 2,
    event_op = 5,
    request_op = 6,
    response_op = 7
};

QByteArray message(int op, const QJsonObject &data)
{
    return QJsonDocument(QJsonObject{{"op", op}, {"d", data}}).toJson(QJsonDocument::Compact);
}

QString scene(const QJsonValue &value) { return value.toString().left(ObsSession::longest_scene); }

// The end of the string that starts at `at` (its opening quote), or -1.
int string_end(const QByteArray &json, int at)
{
    for (int next = at + 1; next < json.size(); ++next) {
        if (json.at(next) == '\\')
            ++next;
        else if (json.at(next) == '"')
            return next;
    }
    return -1;
}

// Whether the string ending at `end` is a key: a colon follows it.
bool is_key(const QByteArray &json, int end)
{
    int after = end + 1;
    while (after < json.size() && QChar(json.at(after)).isSpace())
        ++after;
    return after < json.size() && json.at(after) == ':';
}

// Whether an object in `json` names a key twice, or a key with an escape
// (which could spell one twice). Qt's parser keeps a container that a
// later value of the same key replaces, for as long as the program runs:
// such a message is left unread. OBS's own keys are plain words.
bool names_a_key_twice(const QByteArray &json)
{
    // Each open object's keys; an array has none.
    std::vector<std::optional<QSet<QByteArray>>> open;
    for (int at = 0; at < json.size(); ++at) {
        const char c = json.at(at);
        if (c == '{' || c == '[') {
            open.push_back(c == '{' ? std::optional<QSet<QByteArray>>(QSet<QByteArray>())
                                    : std::nullopt);
            continue;
        }
        if ((c == '}' || c == ']') && !open.empty())
            open.pop_back();
        if (c != '"')
            continue;
        const int end = string_end(json, at);
        if (end < 0)
            return false;
        if (!open.empty() && open.back() && is_key(json, end)) {
            const QByteArray key = json.mid(at + 1, end - at - 1);
            if (key.contains('\\') || open.back()->contains(key))
                return true;
            open.back()->insert(key);
        }
        at = end;
    }
    return false;
}
} // namespace

QString ObsSession::authentication(const QString &password, const QString &salt,
                                   const QString &challenge)
{
    const QByteArray secret =
        QCryptographicHash::hash((password + salt).toUtf8(), QCryptographicHash::Sha256).toBase64();
    return QString::fromLatin1(
        QCryptographicHash::hash(secret + challenge.toUtf8(), QCryptographicHash::Sha256)
            .toBase64());
}

QByteArray ObsSession::request(const char *type)
{
    return message(request_op, {{"requestType", type}, {"requestId", type}});
}

ObsSession::Outcome ObsSession::take(const QByteArray &text)
{
    if (text.size() > longest_message || names_a_key_twice(text))
        return {};
    const QJsonObject whole = QJsonDocument::fromJson(text).object();
    const QJsonObject data = whole.value("d").toObject();
    switch (whole.value("op").toInt(-1)) {
    case hello_op: return hello(data);
    case identified_op: {
        Outcome outcome;
        outcome.identified = true;
        outcome.send = {request("GetCurrentProgramScene"), request("GetCurrentPreviewScene")};
        return outcome;
    }
    case event_op: return event(data);
    case response_op: return response(data);
    default: break;
    }
    return {};
}

ObsSession::Outcome ObsSession::hello(const QJsonObject &data) const
{
    QJsonObject identify{{"rpcVersion", 1}, {"eventSubscriptions", subscriptions}};
    const QJsonObject asked = data.value("authentication").toObject();
    if (!asked.isEmpty())
        identify.insert("authentication", authentication(secret, asked.value("salt").toString(),
                                                         asked.value("challenge").toString()));
    Outcome outcome;
    outcome.send << message(identify_op, identify);
    return outcome;
}

ObsSession::Outcome ObsSession::event(const QJsonObject &data)
{
    const QString type = data.value("eventType").toString();
    const QJsonObject said = data.value("eventData").toObject();
    Outcome outcome;
    if (type == QLatin1String("CurrentProgramSceneChanged")) {
        program_scene = scene(said.value("sceneName"));
        outcome.scenes_changed = true;
    } else if (type == QLatin1String("CurrentPreviewSceneChanged")) {
        preview_scene = scene(said.value("sceneName"));
        outcome.scenes_changed = true;
    } else if (type == QLatin1String("StudioModeStateChanged")) {
        // Off, there is no preview; on, it is asked for.
        if (said.value("studioModeEnabled").toBool()) {
            outcome.send << request("GetCurrentPreviewScene");
        } else {
            preview_scene.clear();
            outcome.scenes_changed = true;
        }
    }
    return outcome;
}

ObsSession::Outcome ObsSession::response(const QJsonObject &data)
{
    const QString id = data.value("requestId").toString();
    const bool done = data.value("requestStatus").toObject().value("result").toBool();
    const QJsonObject answer = data.value("responseData").toObject();
    Outcome outcome;
    if (id == QLatin1String("GetCurrentProgramScene") && done) {
        program_scene = scene(answer.value("currentProgramSceneName"));
        outcome.scenes_changed = true;
    } else if (id == QLatin1String("GetCurrentPreviewScene")) {
        // It fails while studio mode is off: no preview then.
        preview_scene = done ? scene(answer.value("currentPreviewSceneName")) : QString();
        outcome.scenes_changed = true;
    }
    return outcome;
}
