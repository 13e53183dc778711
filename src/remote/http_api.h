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
// waits for the answer. With a token, a request without
// "Authorization: Bearer TOKEN" is refused (401) before anything else.
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
    // False, with the reason, when the address and port cannot be had.
    bool listen(const QString &address, int port, const QString &token, QString *reason);

    struct Shared;

signals:
    // Whether any client follows the event stream: the cameras' positions
    // are then asked for whatever the window shows.
    void followed(bool any);

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
