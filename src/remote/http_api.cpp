#include "remote/http_api.h"

#include "control/remote_commands.h"
#include "remote/remote_call.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QMetaObject>
#include <QPointer>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <httplib.h>
#include <list>
#include <mutex>
#include <vector>

// One client of the event stream: what waits to go to it.
struct HttpStream {
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<std::string> events;
    // Events beyond this are dropped for a client that does not read.
    static constexpr std::size_t most_waiting = 256;
};

namespace {
using Stream = HttpStream;

const char *const json_type = "application/json";

void answer_with(httplib::Response &response, int status, const QByteArray &body)
{
    response.status = status;
    response.set_content(body.toStdString(), json_type);
}

// The token compared in a time that does not tell how much of it matched.
bool same_secret(const std::string &given, const std::string &secret)
{
    if (given.size() != secret.size())
        return false;
    unsigned char differs = 0;
    for (std::size_t i = 0; i < given.size(); ++i)
        differs |= static_cast<unsigned char>(given[i] ^ secret[i]);
    return differs == 0;
}

} // namespace

struct HttpApi::Shared {
    httplib::Server server;
    std::string token;
    std::vector<std::string> origins;
    std::vector<std::string> hosts;
    std::atomic<qint64> last_refusal_told_ms{-60000};
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();

    // A request from a browser names the page it comes from (Origin) and
    // the name it reached us by (Host): both must be ours, or listed.
    bool from_elsewhere(const httplib::Request &request, int *status) const
    {
        const auto listed = [](const std::vector<std::string> &list, const std::string &value) {
            return std::any_of(list.begin(), list.end(), [&value](const std::string &entry) {
                return entry.size() == value.size() &&
                       std::equal(entry.begin(), entry.end(), value.begin(), [](char a, char b) {
                           return std::tolower(uchar(a)) == std::tolower(uchar(b));
                       });
            });
        };
        if (!listed(hosts, request.get_header_value("Host"))) {
            *status = 421;
            return true;
        }
        const std::string origin = request.get_header_value("Origin");
        if (request.has_header("Origin") && !listed(origins, origin)) {
            *status = 403;
            return true;
        }
        return false;
    }
    static void tell_refused(Shared *state, const QPointer<HttpApi> &front, int status)
    {
        const qint64 now = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - state->started)
                               .count();
        qint64 last = state->last_refusal_told_ms;
        if (now - last < 60000 || !state->last_refusal_told_ms.compare_exchange_strong(last, now))
            return;
        QMetaObject::invokeMethod(
            front.data(),
            [front, status] {
                if (front)
                    emit front->refused(
                        status == 421
                            ? QCoreApplication::translate(
                                  "MainWindow", "HTTP refused a request for another host name")
                            : QCoreApplication::translate(
                                  "MainWindow", "HTTP refused a request from another web page"));
            },
            Qt::QueuedConnection);
    }
    std::atomic<bool> stopping{false};
    std::mutex streams_mutex;
    std::list<std::shared_ptr<Stream>> streams;
    std::atomic<int> stream_count{0};

    void publish(const std::string &event)
    {
        const std::lock_guard<std::mutex> guard(streams_mutex);
        for (const auto &stream : streams) {
            const std::lock_guard<std::mutex> lock(stream->mutex);
            if (stream->events.size() >= Stream::most_waiting)
                stream->events.pop_front();
            stream->events.push_back(event);
            stream->ready.notify_one();
        }
    }
    void wake_all()
    {
        const std::lock_guard<std::mutex> guard(streams_mutex);
        for (const auto &stream : streams)
            stream->ready.notify_all();
    }

    // On a server thread: one request, whole.
    static void serve(Shared *state, const QPointer<HttpApi> &front,
                      const httplib::Request &request, httplib::Response &response)
    {
        int status = 0;
        if (state->from_elsewhere(request, &status)) {
            answer_with(response, status,
                        error_body(status == 421
                                       ? QStringLiteral("not a name of this interface")
                                       : QStringLiteral("not from this interface's page")));
            tell_refused(state, front, status);
            return;
        }
        if (!state->token.empty() &&
            !same_secret(request.get_header_value("Authorization"), "Bearer " + state->token)) {
            answer_with(response, 401, error_body(QStringLiteral("a bearer token is needed")));
            return;
        }
        if (request.method == "GET" && request.path == "/api/v1/events")
            open_stream(state, front, response);
        else
            ask_window(state, front, request, response);
    }

    // The events from now on, until the client or the server goes.
    static void open_stream(Shared *state, const QPointer<HttpApi> &front,
                            httplib::Response &response)
    {
        if (state->stream_count >= most_streams) {
            answer_with(response, 503, error_body(QStringLiteral("too many event streams")));
            return;
        }
        auto stream = std::make_shared<Stream>();
        {
            const std::lock_guard<std::mutex> guard(state->streams_mutex);
            state->streams.push_back(stream);
            ++state->stream_count;
        }
        tell_followed(state, front);
        response.set_header("Cache-Control", "no-cache");
        response.set_chunked_content_provider(
            "text/event-stream",
            [state, stream](std::size_t, httplib::DataSink &sink) {
                return state->send_events(*stream, sink);
            },
            [state, stream, front](bool) {
                {
                    const std::lock_guard<std::mutex> guard(state->streams_mutex);
                    state->streams.remove(stream);
                    --state->stream_count;
                }
                tell_followed(state, front);
            });
    }

    static void tell_followed(Shared *state, const QPointer<HttpApi> &front)
    {
        QMetaObject::invokeMethod(
            front.data(),
            [state, front] {
                if (front)
                    emit front->followed(state->stream_count > 0);
            },
            Qt::QueuedConnection);
    }

    // What waits for one stream's client; false when it is to end.
    bool send_events(Stream &stream, httplib::DataSink &sink)
    {
        std::unique_lock<std::mutex> lock(stream.mutex);
        const bool any = stream.ready.wait_for(lock, std::chrono::seconds(5),
                                               [&] { return !stream.events.empty() || stopping; });
        if (stopping)
            return false;
        // A comment now and then finds a client that went away.
        std::deque<std::string> out;
        if (any)
            out.swap(stream.events);
        else
            out.emplace_back(": waiting\n\n");
        lock.unlock();
        return std::all_of(out.begin(), out.end(), [&sink](const std::string &event) {
            return sink.write(event.data(), event.size());
        });
    }

    // Everything but the stream is done on the window's thread; this one
    // waits for the answer.
    static void ask_window(Shared *state, const QPointer<HttpApi> &front,
                           const httplib::Request &request, httplib::Response &response)
    {
        const QByteArray method = QByteArray::fromStdString(request.method);
        const QByteArray path = QByteArray::fromStdString(request.path);
        const QString source =
            QStringLiteral("http:") + QString::fromStdString(request.remote_addr);
        const QByteArray body = QByteArray::fromStdString(request.body);
        auto promise = std::make_shared<std::promise<std::pair<int, QByteArray>>>();
        std::future<std::pair<int, QByteArray>> answer = promise->get_future();
        // Whoever takes it first: the window, to carry the request out, or
        // this thread, to answer that it was not in time. A request given
        // up is never carried out later.
        auto taken = std::make_shared<std::atomic<bool>>(false);
        QMetaObject::invokeMethod(
            front.data(),
            [front, method, path, body, source, promise, taken] {
                if (front && !taken->exchange(true))
                    front->handle(method, path, body, source,
                                  [promise](int status, const QByteArray &content) {
                                      try {
                                          promise->set_value({status, content});
                                      } catch (const std::future_error &) {
                                          // answered already: the first answer holds
                                      }
                                  });
            },
            Qt::QueuedConnection);
        for (int waited = 0; !state->stopping; waited += 50) {
            // Past the limit, the request is this thread's unless the window
            // has it already; then its answer is worth the wait.
            if (waited >= answer_limit_ms && !taken->exchange(true))
                break;
            if (answer.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
                continue;
            try {
                const auto [status, content] = answer.get();
                answer_with(response, status, content);
                return;
            } catch (const std::future_error &) {
                break; // the window went before it answered
            }
        }
        answer_with(response, 503, error_body(QStringLiteral("no answer in time")));
    }
};

HttpApi::HttpApi(RemoteCommands &remote, QObject *parent)
    : QObject(parent), commands(remote), shared(std::make_shared<Shared>())
{
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
    shared->wake_all();
    shared->server.stop();
    if (serving.joinable())
        serving.join();
}

bool HttpApi::listen(const QString &address, int port, const QString &token, QString *reason)
{
    httplib::Server &server = shared->server;
    shared->token = token.toStdString();
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
    server.set_payload_max_length(std::size_t(64) * 1024);
    // An answer goes at once, not after the client's delayed acknowledgement.
    server.set_tcp_nodelay(true);
    // A control surface keeps its connection; the server's stop still ends
    // an idle one at once.
    server.set_keep_alive_max_count(100000);
    server.set_keep_alive_timeout(5);
    server.set_read_timeout(2, 0);
    server.set_write_timeout(2, 0);
    const QPointer<HttpApi> front(this);
    // The server's handlers live in the server, which lives in `shared`:
    // a plain pointer, or neither would ever be freed. The destructor joins
    // every server thread before `shared` goes.
    Shared *const state = shared.get();
    const auto handler = [front, state](const httplib::Request &request,
                                        httplib::Response &response) {
        Shared::serve(state, front, request, response);
    };
    // A request without a body length ("curl -X POST …") has no body: the
    // library would refuse a POST so, before any handler sees it.
    server.set_pre_routing_handler(
        [handler](const httplib::Request &request, httplib::Response &response) {
            if (request.has_header("Content-Length") || request.has_header("Transfer-Encoding"))
                return httplib::Server::HandlerResponse::Unhandled;
            handler(request, response);
            return httplib::Server::HandlerResponse::Handled;
        });
    // Every path and method: read_http_call tells them apart.
    server.Get(".*", handler);
    server.Post(".*", handler);
    server.Put(".*", handler);
    server.Delete(".*", handler);
    server.Patch(".*", handler);
    if (!server.bind_to_port(address.toStdString(), port)) {
        *reason = QCoreApplication::translate("MainWindow", "HTTP cannot listen on %1 port %2")
                      .arg(address)
                      .arg(port);
        return false;
    }
    serving = std::thread([state] { state->server.listen_after_bind(); });
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
