#include "remote/http_api.h"

#include "control/remote_commands.h"
#include "remote/page_files.h"
#include "remote/remote_call.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QMetaObject>
#include <QPointer>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstring>
#include <deque>
#include <list>
#include <map>
#include <mutex>
#include <netdb.h>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <microhttpd.h>

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const char *const json_type = "application/json";
const char *const events_path = "/api/v1/events";
// A stream that has nothing to say says so this often: a client that went
// away is found so.
constexpr milliseconds stream_heartbeat{5000};
} // namespace

// What the server keeps of its connections (named, as the server's state
// holds them).
namespace http_served {
using Clock = std::chrono::steady_clock;

// One client of the event stream: what waits to go to it.
struct Stream {
    std::mutex mutex;
    std::deque<std::string> events;
    // How much of the first event went already.
    std::size_t sent_of_first = 0;
    // Its connection while it lasts; set aside (suspended) while there is
    // nothing to send.
    MHD_Connection *connection = nullptr;
    bool suspended = false;
    Clock::time_point last_out = Clock::now();
    const std::atomic<bool> *stopping = nullptr;
    int server_wake = -1;
    // Events beyond this are dropped for a client that does not read.
    static constexpr std::size_t most_waiting = 256;

    // Under the lock.
    void wake()
    {
        if (suspended && connection) {
            suspended = false;
            MHD_resume_connection(connection);
            eventfd_write(server_wake, 1);
        }
    }
};

// A request handed to the window's thread. Whoever takes it first has it:
// the window, to carry it out, or the server, to answer that it was not in
// time; a request given up is never carried out later.
struct Asked {
    std::atomic<bool> taken{false};
    std::mutex mutex;
    // The connection, set aside until the answer is there; none once its
    // client no longer waits.
    MHD_Connection *connection = nullptr;
    bool suspended = false;
    bool answered = false;
    int server_wake = -1;
    int status = 0;
    QByteArray content;

    void answer(int with_status, const QByteArray &with_content)
    {
        const std::lock_guard<std::mutex> guard(mutex);
        if (answered)
            return;
        answered = true;
        status = with_status;
        content = with_content;
        if (suspended && connection) {
            suspended = false;
            MHD_resume_connection(connection);
            eventfd_write(server_wake, 1);
        }
    }
};

// One request as the server reads it.
struct Request {
    enum class Stage { Headers, Body, Asked, Streaming };
    Stage stage = Stage::Headers;
    std::string body;
    std::shared_ptr<Asked> asked;
    Clock::time_point asked_at;
};

// One client's connection, and since when it takes its time.
struct Client {
    MHD_Connection *connection = nullptr;
    int socket = -1;
    // Idle between requests, reading one, or waiting for its answer (or
    // following the stream): the first two have a deadline.
    enum class Phase { Idle, Reading, Waiting };
    Phase phase = Phase::Idle;
    Clock::time_point since = Clock::now();
    Request *request = nullptr;
    bool cut = false;
};
} // namespace http_served

namespace {
using namespace http_served;

// The token compared in a time that does not tell how much of it matched.
bool same_secret(const char *given, const std::string &secret)
{
    const std::size_t size = given ? std::strlen(given) : 0;
    if (size != secret.size())
        return false;
    unsigned char differs = 0;
    for (std::size_t i = 0; i < size; ++i)
        differs |= static_cast<unsigned char>(given[i] ^ secret[i]);
    return differs == 0;
}

bool listed(const std::vector<std::string> &list, const char *value)
{
    const std::size_t size = value ? std::strlen(value) : 0;
    return std::any_of(list.begin(), list.end(), [&](const std::string &entry) {
        return entry.size() == size &&
               std::equal(entry.begin(), entry.end(), value, [](char a, char b) {
                   return std::tolower(uchar(a)) == std::tolower(uchar(b));
               });
    });
}

MHD_Result queue(MHD_Connection *connection, int status, const QByteArray &body, bool close = false)
{
    MHD_Response *response = MHD_create_response_from_buffer(
        std::size_t(body.size()), const_cast<char *>(body.constData()), MHD_RESPMEM_MUST_COPY);
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, json_type);
    if (close)
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
    const MHD_Result queued = MHD_queue_response(connection, unsigned(status), response);
    MHD_destroy_response(response);
    return queued;
}

Client *client_of(MHD_Connection *connection)
{
    const MHD_ConnectionInfo *info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<Client *>(info->socket_context) : nullptr;
}

QString address_of(MHD_Connection *connection)
{
    const MHD_ConnectionInfo *info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    char host[NI_MAXHOST] = {};
    if (!info || !info->client_addr ||
        getnameinfo(info->client_addr,
                    info->client_addr->sa_family == AF_INET6 ? sizeof(sockaddr_in6)
                                                             : sizeof(sockaddr_in),
                    host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
        return {};
    return QString::fromLatin1(host);
}

MHD_Result count_header(void *cls, MHD_ValueKind, const char *, const char *)
{
    ++*static_cast<int *>(cls);
    return MHD_YES;
}

} // namespace

struct HttpApi::Shared {
    MHD_Daemon *daemon = nullptr;
    // Rung when a connection set aside has its answer: the server's poll
    // does not see that by itself.
    int wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    std::thread serving;
    std::atomic<bool> stopping{false};
    QPointer<HttpApi> front;
    std::string token;
    std::vector<std::string> origins;
    std::vector<std::string> hosts;
    // The control page's files by path; read before the server starts.
    std::map<std::string, PageFile> page;
    std::atomic<qint64> last_refusal_told_ms{-60000};
    Clock::time_point started = Clock::now();
    // Only the server's thread touches these.
    std::list<Client> clients;
    // Shared with the window's thread.
    std::mutex streams_mutex;
    std::list<std::shared_ptr<Stream>> streams;
    std::atomic<int> stream_count{0};

    ~Shared()
    {
        if (daemon)
            MHD_stop_daemon(daemon);
        close(wake);
    }

    // The server's thread: connections read as they come, deadlines kept.
    void run()
    {
        const MHD_DaemonInfo *info = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_EPOLL_FD);
        pollfd polled[2] = {{info->epoll_fd, POLLIN, 0}, {wake, POLLIN, 0}};
        while (!stopping) {
            MHD_UNSIGNED_LONG_LONG next = 100;
            if (MHD_get_timeout(daemon, &next) != MHD_YES)
                next = 100;
            poll(polled, 2, int(std::min<MHD_UNSIGNED_LONG_LONG>(next, 100)));
            eventfd_t rung = 0;
            eventfd_read(wake, &rung);
            MHD_run(daemon);
            keep_time(Clock::now());
        }
        let_go();
    }

    // A client past its deadline is cut off: its socket shut, the server
    // closes the connection as it reads the end.
    void keep_time(Clock::time_point now)
    {
        for (Client &client : clients) {
            const auto taken = now - client.since;
            const bool late =
                (client.phase == Client::Phase::Idle && taken > milliseconds(idle_limit_ms)) ||
                (client.phase == Client::Phase::Reading && taken > milliseconds(request_limit_ms));
            if (late && !client.cut) {
                client.cut = true;
                shutdown(client.socket, SHUT_RDWR);
            }
            Request *request = client.request;
            if (request && request->stage == Request::Stage::Asked &&
                now - request->asked_at > milliseconds(answer_limit_ms) &&
                !request->asked->taken.exchange(true))
                request->asked->answer(503, error_body(QStringLiteral("no answer in time")));
        }
        const std::lock_guard<std::mutex> guard(streams_mutex);
        for (const auto &stream : streams) {
            const std::lock_guard<std::mutex> lock(stream->mutex);
            if (now - stream->last_out >= stream_heartbeat)
                stream->wake();
        }
    }

    // At the end every connection set aside is taken up again, so that the
    // server can close it: a request then is refused, a stream ends.
    void let_go()
    {
        for (Client &client : clients) {
            if (client.request && client.request->asked) {
                const std::shared_ptr<Asked> &asked = client.request->asked;
                asked->taken = true;
                asked->answer(503, error_body(QStringLiteral("the program is ending")));
            }
        }
        {
            const std::lock_guard<std::mutex> guard(streams_mutex);
            for (const auto &stream : streams) {
                const std::lock_guard<std::mutex> lock(stream->mutex);
                stream->wake();
            }
        }
        MHD_run(daemon);
        MHD_stop_daemon(daemon);
        daemon = nullptr;
    }

    static void on_connection(void *cls, MHD_Connection *connection, void **socket_context,
                              MHD_ConnectionNotificationCode code)
    {
        auto *state = static_cast<Shared *>(cls);
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            const MHD_ConnectionInfo *info =
                MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
            Client client;
            client.connection = connection;
            client.socket = info ? info->connect_fd : -1;
            state->clients.push_back(client);
            *socket_context = &state->clients.back();
            return;
        }
        state->clients.remove_if(
            [connection](const Client &client) { return client.connection == connection; });
    }

    // Told when a request's line has come: from now on its deadline runs.
    static void *on_request_line(void *, const char *, MHD_Connection *connection)
    {
        auto *request = new Request;
        if (Client *client = client_of(connection)) {
            client->phase = Client::Phase::Reading;
            client->since = Clock::now();
            client->request = request;
        }
        return request;
    }

    static void on_request_done(void *, MHD_Connection *connection, void **slot,
                                MHD_RequestTerminationCode)
    {
        auto *request = static_cast<Request *>(*slot);
        *slot = nullptr;
        if (request && request->asked) {
            const std::lock_guard<std::mutex> guard(request->asked->mutex);
            request->asked->connection = nullptr;
        }
        if (Client *client = client_of(connection)) {
            client->phase = Client::Phase::Idle;
            client->since = Clock::now();
            client->request = nullptr;
        }
        delete request;
    }

    static MHD_Result on_request(void *cls, MHD_Connection *connection, const char *url,
                                 const char *method, const char *, const char *upload,
                                 std::size_t *upload_size, void **slot)
    {
        auto *state = static_cast<Shared *>(cls);
        auto *request = static_cast<Request *>(*slot);
        if (!request)
            return MHD_NO;
        switch (request->stage) {
        case Request::Stage::Headers:
            request->stage = Request::Stage::Body;
            return state->check(connection, method, url);
        case Request::Stage::Body:
            if (*upload_size > 0) {
                if (request->body.size() + *upload_size > std::size_t(most_body_bytes)) {
                    refuse_body(connection);
                    return MHD_NO;
                }
                request->body.append(upload, *upload_size);
                *upload_size = 0;
                return MHD_YES;
            }
            if (const auto file = state->page.find(url); file != state->page.end())
                return serve_page(connection, file->second);
            if (std::strcmp(method, "GET") == 0 && std::strcmp(url, events_path) == 0)
                return state->open_stream(connection, *request);
            return state->ask_window(connection, *request, method, url);
        case Request::Stage::Asked: {
            const std::lock_guard<std::mutex> guard(request->asked->mutex);
            if (!request->asked->answered) {
                MHD_suspend_connection(connection);
                request->asked->suspended = true;
                return MHD_YES;
            }
            return queue(connection, request->asked->status, request->asked->content);
        }
        case Request::Stage::Streaming: break;
        }
        return MHD_YES;
    }

    // What is read before the token: the headers' number and size, the
    // page and name the request comes by, the token, the body's length.
    // The control page's own files come before the token: the page must
    // load to ask for it.
    MHD_Result check(MHD_Connection *connection, const char *method, const char *url)
    {
        int headers = 0;
        MHD_get_connection_values(connection, MHD_HEADER_KIND, count_header, &headers);
        const MHD_ConnectionInfo *size =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_REQUEST_HEADER_SIZE);
        if (headers > most_headers || (size && size->header_size > std::size_t(most_header_bytes)))
            return queue(connection, 431, error_body(QStringLiteral("too many headers")), true);
        const char *host = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Host");
        const char *origin = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Origin");
        if (!listed(hosts, host) || (origin && !listed(origins, origin))) {
            const int status = listed(hosts, host) ? 403 : 421;
            tell_refused(status);
            return queue(connection, status,
                         error_body(status == 421
                                        ? QStringLiteral("not a name of this interface")
                                        : QStringLiteral("not from this interface's page")),
                         true);
        }
        // A browser's request without an Origin (an image, a script, a
        // link) that says it comes from another site is still that site's
        // page: it must not hold the event streams, nor do anything else.
        // A link to the control page itself may come from anywhere.
        const char *site =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Sec-Fetch-Site");
        if (!origin && site && page.count(url) == 0 &&
            (std::strcmp(site, "cross-site") == 0 || std::strcmp(site, "same-site") == 0)) {
            tell_refused(403);
            return queue(connection, 403,
                         error_body(QStringLiteral("not from this interface's page")), true);
        }
        // The page's files are served once the request is read whole (a
        // response queued before that would close the connection).
        if (page.count(url) > 0)
            return std::strcmp(method, "GET") == 0 || std::strcmp(method, "HEAD") == 0
                       ? MHD_YES
                       : refuse_method(connection);
        if (!token.empty() &&
            !same_secret(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Authorization"),
                         "Bearer " + token))
            return queue(connection, 401, error_body(QStringLiteral("a bearer token is needed")),
                         true);
        const char *length =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
        if (length && (std::strlen(length) > 9 || std::atol(length) > most_body_bytes))
            return queue(connection, 413, error_body(QStringLiteral("the body is too long")), true);
        return MHD_YES;
    }

    // The page is only read.
    static MHD_Result refuse_method(MHD_Connection *connection)
    {
        const QByteArray body = error_body(QStringLiteral("the page is only read"));
        MHD_Response *response = MHD_create_response_from_buffer(
            std::size_t(body.size()), const_cast<char *>(body.constData()), MHD_RESPMEM_MUST_COPY);
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, json_type);
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
        const MHD_Result queued =
            MHD_queue_response(connection, MHD_HTTP_METHOD_NOT_ALLOWED, response);
        MHD_destroy_response(response);
        return queued;
    }

    // One of the page's files, as it is.
    static MHD_Result serve_page(MHD_Connection *connection, const PageFile &file)
    {
        // The files live as long as the server: no copy.
        MHD_Response *response = MHD_create_response_from_buffer(
            file.content.size(), const_cast<char *>(file.content.data()), MHD_RESPMEM_PERSISTENT);
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, file.type.c_str());
        for (const auto &[name, value] : page_headers())
            MHD_add_response_header(response, name.c_str(), value.c_str());
        const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_OK, response);
        MHD_destroy_response(response);
        return queued;
    }

    // A body that grows past its limit as it arrives (chunked, or longer
    // than it said): the refusal goes straight out and the connection is
    // closed, nothing more of it read.
    static void refuse_body(MHD_Connection *connection)
    {
        const MHD_ConnectionInfo *info =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        if (!info)
            return;
        const QByteArray body = error_body(QStringLiteral("the body is too long"));
        const QByteArray answer = "HTTP/1.1 413 Payload Too Large\r\nConnection: close\r\n"
                                  "Content-Type: application/json\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\n\r\n" + body;
        [[maybe_unused]] const ssize_t sent =
            send(info->connect_fd, answer.constData(), std::size_t(answer.size()),
                 MSG_NOSIGNAL | MSG_DONTWAIT);
    }

    void tell_refused(int status)
    {
        const qint64 now = std::chrono::duration_cast<milliseconds>(Clock::now() - started).count();
        qint64 last = last_refusal_told_ms;
        if (now - last < 60000 || !last_refusal_told_ms.compare_exchange_strong(last, now))
            return;
        const QPointer<HttpApi> to = front;
        QMetaObject::invokeMethod(
            to.data(),
            [to, status] {
                if (to)
                    emit to->refused(
                        status == 421
                            ? QCoreApplication::translate(
                                  "MainWindow", "HTTP refused a request for another host name")
                            : QCoreApplication::translate(
                                  "MainWindow", "HTTP refused a request from another web page"));
            },
            Qt::QueuedConnection);
    }

    void tell_followed()
    {
        const QPointer<HttpApi> to = front;
        Shared *const state = this;
        QMetaObject::invokeMethod(
            to.data(),
            [to, state] {
                if (to)
                    emit to->followed(state->stream_count > 0);
            },
            Qt::QueuedConnection);
    }

    void publish(const std::string &event)
    {
        const std::lock_guard<std::mutex> guard(streams_mutex);
        for (const auto &stream : streams) {
            const std::lock_guard<std::mutex> lock(stream->mutex);
            if (stream->events.size() >= Stream::most_waiting) {
                // Never the one half sent: the client would read a broken
                // event.
                const bool begun = stream->sent_of_first > 0;
                stream->events.erase(stream->events.begin() + (begun ? 1 : 0));
            }
            stream->events.push_back(event);
            stream->wake();
        }
    }

    // Everything but the stream is done on the window's thread; the
    // connection is set aside until the answer is there.
    MHD_Result ask_window(MHD_Connection *connection, Request &request, const char *method,
                          const char *url)
    {
        auto asked = std::make_shared<Asked>();
        asked->connection = connection;
        asked->server_wake = wake;
        request.asked = asked;
        request.stage = Request::Stage::Asked;
        request.asked_at = Clock::now();
        if (Client *client = client_of(connection))
            client->phase = Client::Phase::Waiting;
        {
            const std::lock_guard<std::mutex> guard(asked->mutex);
            MHD_suspend_connection(connection);
            asked->suspended = true;
        }
        const QPointer<HttpApi> to = front;
        const QByteArray verb(method);
        const QByteArray path(url);
        const QByteArray body = QByteArray::fromStdString(request.body);
        const QString source = QStringLiteral("http:") + address_of(connection);
        QMetaObject::invokeMethod(
            to.data(),
            [to, verb, path, body, source, asked] {
                if (to && !asked->taken.exchange(true))
                    to->handle(verb, path, body, source,
                               [asked](int status, const QByteArray &content) {
                                   asked->answer(status, content);
                               });
            },
            Qt::QueuedConnection);
        return MHD_YES;
    }

    // The events from now on, until the client or the server goes.
    MHD_Result open_stream(MHD_Connection *connection, Request &request)
    {
        if (stream_count >= most_streams)
            return queue(connection, 503, error_body(QStringLiteral("too many event streams")));
        auto stream = std::make_shared<Stream>();
        stream->connection = connection;
        stream->stopping = &stopping;
        stream->server_wake = wake;
        {
            const std::lock_guard<std::mutex> guard(streams_mutex);
            streams.push_back(stream);
            ++stream_count;
        }
        tell_followed();
        auto *held = new Held{this, stream};
        MHD_Response *response = MHD_create_response_from_callback(
            MHD_SIZE_UNKNOWN, 4096, &Shared::read_stream, held, &Shared::stream_over);
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/event-stream");
        MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-cache");
        request.stage = Request::Stage::Streaming;
        if (Client *client = client_of(connection))
            client->phase = Client::Phase::Waiting;
        const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_OK, response);
        MHD_destroy_response(response);
        return queued;
    }

    struct Held {
        Shared *state;
        std::shared_ptr<Stream> stream;
    };

    static ssize_t read_stream(void *cls, uint64_t, char *out, std::size_t most)
    {
        Stream &stream = *static_cast<Held *>(cls)->stream;
        const std::lock_guard<std::mutex> guard(stream.mutex);
        if (*stream.stopping)
            return MHD_CONTENT_READER_END_OF_STREAM;
        const Clock::time_point now = Clock::now();
        if (stream.events.empty()) {
            if (now - stream.last_out < stream_heartbeat) {
                MHD_suspend_connection(stream.connection);
                stream.suspended = true;
                return 0;
            }
            stream.events.emplace_back(": waiting\n\n");
        }
        std::size_t written = 0;
        while (written < most && !stream.events.empty()) {
            const std::string &first = stream.events.front();
            const std::size_t part = std::min(most - written, first.size() - stream.sent_of_first);
            std::copy_n(first.begin() + std::ptrdiff_t(stream.sent_of_first), part, out + written);
            written += part;
            stream.sent_of_first += part;
            if (stream.sent_of_first == first.size()) {
                stream.events.pop_front();
                stream.sent_of_first = 0;
            }
        }
        stream.last_out = now;
        return ssize_t(written);
    }

    static void stream_over(void *cls)
    {
        auto *held = static_cast<Held *>(cls);
        Shared *const state = held->state;
        {
            const std::lock_guard<std::mutex> guard(held->stream->mutex);
            held->stream->connection = nullptr;
        }
        {
            const std::lock_guard<std::mutex> guard(state->streams_mutex);
            state->streams.remove(held->stream);
            --state->stream_count;
        }
        delete held;
        state->tell_followed();
    }
};

HttpApi::HttpApi(RemoteCommands &remote, QObject *parent)
    : QObject(parent), commands(remote), shared(std::make_shared<Shared>())
{
    shared->front = this;
    connect(&commands, &RemoteCommands::camera_changed, this, &HttpApi::camera_changed);
    connect(&commands, &RemoteCommands::active_changed, this, &HttpApi::active_changed);
}

void HttpApi::allow(const QStringList &origins, const QStringList &hosts)
{
    for (const QString &origin : origins)
        shared->origins.push_back(origin.toStdString());
    for (const QString &host : hosts)
        shared->hosts.push_back(host.toStdString());
}

HttpApi::~HttpApi()
{
    shared->stopping = true;
    if (shared->serving.joinable())
        shared->serving.join();
}

bool HttpApi::listen(const QString &address, int port, const QString &token, QString *reason)
{
    shared->token = token.toStdString();
    shared->page = page_files();
    // The interface's own names, with its port: a listed host without a
    // port is taken on this port.
    const QString own = address.contains(':') ? '[' + address + ']' : address;
    for (const QString &name : {own, QStringLiteral("localhost"), QStringLiteral("127.0.0.1")}) {
        const std::string at = QStringLiteral("%1:%2").arg(name).arg(port).toStdString();
        shared->hosts.push_back(at);
        shared->origins.push_back("http://" + at);
    }
    const std::size_t listed = shared->hosts.size();
    for (std::size_t i = 0; i < listed; ++i) {
        if (shared->hosts[i].find(':') == std::string::npos)
            shared->hosts.push_back(shared->hosts[i] + ':' + std::to_string(port));
    }
    const auto cannot = [&] {
        *reason = QCoreApplication::translate("MainWindow", "HTTP cannot listen on %1 port %2")
                      .arg(address)
                      .arg(port);
        return false;
    };
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo *found = nullptr;
    if (getaddrinfo(address.toUtf8().constData(), std::to_string(port).c_str(), &hints, &found) !=
            0 ||
        !found)
        return cannot();
    const bool six = found->ai_family == AF_INET6;
    Shared *const state = shared.get();
    // One thread polls every connection (epoll); requests are set aside
    // while the window answers them.
    state->daemon = MHD_start_daemon(
        MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME | (six ? MHD_USE_IPv6 : 0), 0, nullptr, nullptr,
        // No SO_REUSEPORT: a second program asking for the port must be
        // refused, not handed every other connection (with its own token,
        // or none).
        &Shared::on_request, state, MHD_OPTION_SOCK_ADDR, found->ai_addr,
        MHD_OPTION_CONNECTION_LIMIT, unsigned(most_connections), MHD_OPTION_PER_IP_CONNECTION_LIMIT,
        unsigned(most_per_address),
        // The headers and what is read of the body at once: a flood of
        // headers meets this, not the program's memory.
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, std::size_t(2) * std::size_t(most_header_bytes),
        MHD_OPTION_CONNECTION_TIMEOUT, unsigned(idle_limit_ms / 1000), MHD_OPTION_NOTIFY_CONNECTION,
        &Shared::on_connection, state, MHD_OPTION_URI_LOG_CALLBACK, &Shared::on_request_line, state,
        MHD_OPTION_NOTIFY_COMPLETED, &Shared::on_request_done, state, MHD_OPTION_END);
    freeaddrinfo(found);
    if (!state->daemon)
        return cannot();
    state->serving = std::thread([state] { state->run(); });
    return true;
}

void HttpApi::handle(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                     const QString &source, const std::function<void(int, QByteArray)> &done)
{
    const ReadCall read = read_http_call(method, path, body);
    if (const auto *refusal = std::get_if<Refusal>(&read)) {
        done(refusal->status, error_body(refusal->error));
        return;
    }
    perform(commands, std::get<RemoteCall>(read), source,
            [done](int status, const QByteArray &content) { done(status, content); });
}

void HttpApi::camera_changed(int number)
{
    if (shared->stream_count == 0) {
        told.clear();
        return;
    }
    const std::optional<int> index = commands.camera_index(number);
    if (!index || number == 0)
        return;
    const QByteArray body =
        QJsonDocument(camera_object(commands.view(*index))).toJson(QJsonDocument::Compact);
    if (told.value(number) == body)
        return;
    told.insert(number, body);
    shared->publish("event: camera\ndata: " + body.toStdString() + "\n\n");
}

void HttpApi::active_changed(int number)
{
    if (shared->stream_count > 0)
        shared->publish("event: active\ndata: {\"active\":" + std::to_string(number) + "}\n\n");
}
