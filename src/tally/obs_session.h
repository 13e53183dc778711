#ifndef ZARVICK_OBS_SESSION_H
#define ZARVICK_OBS_SESSION_H

#include <QByteArray>
#include <QList>
#include <QString>

// OBS Studio's side of obs-websocket 5 as the tally needs it, as text in
// and text out: the Hello answered with Identify (and its authentication
// when OBS asks for the password), the current program and preview scenes
// asked once identified, then followed by OBS's events (scene changes,
// studio mode on and off). Scene names longer than any set are cut.
class ObsSession
{
public:
    static constexpr int longest_message = 1 << 20;
    static constexpr int longest_scene = 256;
    // Scenes (1 << 2) and the window's studio mode (1 << 10).
    static constexpr int subscriptions = (1 << 2) | (1 << 10);

    explicit ObsSession(const QString &password = QString()) : secret(password) {}

    struct Outcome {
        // Messages to send OBS, in order.
        QList<QByteArray> send;
        // Program or preview changed.
        bool scenes_changed = false;
        // OBS took the Identify.
        bool identified = false;
    };
    Outcome take(const QByteArray &message);
    QString program() const { return program_scene; }
    // Empty while studio mode is off.
    QString preview() const { return preview_scene; }

    // What Identify carries for `password`: base64(sha256(base64(sha256(
    // password + salt)) + challenge)).
    static QString authentication(const QString &password, const QString &salt,
                                  const QString &challenge);

private:
    Outcome hello(const class QJsonObject &data) const;
    Outcome event(const QJsonObject &data);
    Outcome response(const QJsonObject &data);
    static QByteArray request(const char *type);

    QString secret;
    QString program_scene;
    QString preview_scene;
};

#endif
