#include "tally/obs_session.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

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
    if (text.size() > longest_message)
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
