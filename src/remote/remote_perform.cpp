#include "remote/remote_call.h"

#include "visca/command_text.h"
#include "visca/explainer.h"

#include <QJsonDocument>

namespace {
// What each reply to a /command means: the replies answer its last message.
QJsonArray meanings(const QString &sent, const QStringList &replies)
{
    bool ok = false;
    QByteArray asked = command_bytes(sent, &ok);
    asked.chop(1);
    asked = asked.mid(asked.lastIndexOf(char(0xFF)) + 1) + char(0xFF);
    QJsonArray read;
    for (const QString &reply : replies)
        read << reply_meaning(asked, command_bytes(reply, &ok));
    return read;
}
} // namespace

void perform(RemoteCommands &commands, const RemoteCall &call, const QString &source,
             const Answered &done)
{
    using Kind = RemoteCall::Kind;
    const auto answer = [&done](const RemoteCommands::Result &result) {
        if (result.ok())
            done(200, QByteArrayLiteral("{\"ok\":true}"));
        else
            done(status_of(result.failure), error_body(result.error));
    };
    switch (call.kind) {
    case Kind::Cameras: {
        QJsonArray listed;
        for (int index = 0; index < commands.count(); ++index)
            listed << camera_object(commands.view(index));
        done(200, cameras_body(commands.active(), listed));
        return;
    }
    case Kind::Events: done(404, error_body(QStringLiteral("no such request"))); return;
    case Kind::Select: answer(commands.select(call.camera)); return;
    case Kind::Drive: answer(commands.drive(call.camera, source, call.axes, call.lease_ms)); return;
    case Kind::Stop: answer(commands.stop(call.camera)); return;
    case Kind::StopAll: answer(commands.stop_all()); return;
    case Kind::Home: answer(commands.home(call.camera)); return;
    case Kind::Recall:
    case Kind::Store:
        answer(commands.preset(call.camera, call.kind == Kind::Store, call.number));
        return;
    case Kind::Go: answer(commands.go(call.camera, call.number)); return;
    case Kind::Tally: answer(commands.tally(call.camera, call.text)); return;
    case Kind::Command:
        commands.command(
            call.camera, call.text, call.lease_ms,
            [done, sent = call.text](const RemoteCommands::Result &result,
                                     const QStringList &replies) {
                if (!result.ok()) {
                    done(status_of(result.failure), error_body(result.error));
                    return;
                }
                done(200,
                     QJsonDocument(QJsonObject{{"replies", QJsonArray::fromStringList(replies)},
                                               {"meanings", meanings(sent, replies)}})
                         .toJson(QJsonDocument::Compact));
            });
        return;
    }
}
