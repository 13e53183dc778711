#ifndef ZARVICK_HTTP_API_H
#define ZARVICK_HTTP_API_H

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

class RemoteCommands;

// The HTTP interface (version 1, JSON). Its server is one thread of its own
// that reads every connection as it comes (GNU libmicrohttpd, polled by
// that thread), so a slow or idle client holds only its own connection,
// never a worker the others need; each request is handed to the window's
// thread, where the commands are done one at a time like the window's own,
// and a request whose answer went (503, no answer in time) is never carried
// out later. A browser's request is refused unless it comes from the
// interface's own page (403 for a foreign Origin, 421 for a foreign Host: a
// web page the operator opens, or one that rebinds its name to this
// machine, must not drive the cameras). With a token, a request without
// "Authorization: Bearer TOKEN" is refused (401). GET /api/v1/events
// streams the cameras' changes as server-sent events. The control page's
// files (GET /, …) are served from the server's own thread without the
// token, which the page asks for, but under the Origin and Host rules.
class HttpApi : public QObject
{
    Q_OBJECT

public:
    // A request waits at most this long for the window's thread.
    static constexpr int answer_limit_ms = 5000;
    // A request's line, headers and body must all arrive within this time.
    static constexpr int request_limit_ms = 5000;
    // A kept-alive connection that sends nothing more is closed after this.
    static constexpr int idle_limit_ms = 10000;
    // Connections at once: from one client address, and in all.
    static constexpr int most_per_address = 8;
    static constexpr int most_connections = 64;
    // At most this many event streams at once.
    static constexpr int most_streams = 4;
    // What a request may bring, all read before the token is checked.
    static constexpr int most_headers = 64;
    static constexpr int most_header_bytes = 16 * 1024;
    static constexpr int most_body_bytes = 64 * 1024;

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
    friend struct Shared;
    void handle(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                const QString &source, const std::function<void(int, QByteArray)> &done);
    void camera_changed(int number);
    void active_changed(int number);

    RemoteCommands &commands;
    std::shared_ptr<Shared> shared;
    // What each camera's last event said: only a change goes out.
    QHash<int, QByteArray> told;
};

#endif
