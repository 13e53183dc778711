#ifndef ZARVICK_HTTP_API_H
#define ZARVICK_HTTP_API_H

#include <QHash>
#include <QObject>
#include <memory>
#include <thread>

class RemoteCommands;

// The HTTP interface (version 1, JSON): its server runs on a thread of its
// own and hands every request to the window's thread, where the commands
// are done one at a time like the window's own; the server's thread only
// waits for the answer, and a request whose answer went (503, no answer in
// time) is never carried out later. A browser's request is refused unless
// it comes from the interface's own page (403 for a foreign Origin, 421 for
// a foreign Host: a web page the operator opens, or one that rebinds its
// name to this machine, must not drive the cameras). With a token, a
// request without "Authorization: Bearer TOKEN" is refused (401).
// GET /api/v1/events streams the cameras' changes as server-sent events.
class HttpApi : public QObject
{
    Q_OBJECT

public:
    // A request waits at most this long for the window's thread.
    static constexpr int answer_limit_ms = 5000;
    // At most this many event streams at once (each holds a server thread).
    static constexpr int most_streams = 4;

    explicit HttpApi(RemoteCommands &commands, QObject *parent = nullptr);
    ~HttpApi() override;
    // Origins (scheme://host:port) and hosts (host or host:port) taken
    // beside the interface's own; before listen().
    void allow(const QStringList &origins, const QStringList &hosts);
    // False, with the reason, when the address and port cannot be had.
    bool listen(const QString &address, int port, const QString &token, QString *reason);

    struct Shared;

signals:
    // Whether any client follows the event stream: the cameras' positions
    // are then asked for whatever the window shows.
    void followed(bool any);
    // A request was refused for its Origin or Host: told at most once a
    // minute.
    void refused(const QString &why);

private:
    void handle(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                const QString &source, const std::function<void(int, QByteArray)> &done);
    void camera_changed(int number);
    void active_changed(int number);

    RemoteCommands &commands;
    std::shared_ptr<Shared> shared;
    std::thread serving;
    // What each camera's last event said: only a change goes out.
    QHash<int, QByteArray> told;
};

#endif
