// The outside interfaces in the same run as the window's own pad: how soon
// an HTTP drive request's bytes reach the camera beside a pad press's, how
// late a remote drive's stop comes once its lease has run out, what a
// request waits while slow clients hold connections, and the memory a flood
// of headers leaves behind.

#include "app/mainwindow.h"
#include "arrivals.h"
#include "figures.h"
#include "pressers.h"
#include "testsupport.h"

#include <QEventLoop>
#include <QTcpServer>

#include <arpa/inet.h>
#include <cstring>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int turns = 300;
constexpr int warm_up = 20;
constexpr int lease_ms = 200;
constexpr int leases = 60;
constexpr int slow_clients = 16;
constexpr long flood_bytes = 200L * 1024 * 1024;

// A connection to the interface from a loopback address of its own.
int connect_from(const char *from, quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ::inet_pton(AF_INET, from, &address.sin_addr);
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    return fd;
}

// Header lines on three connections until `flood_bytes` went on each,
// connecting again whenever the interface closes one.
void flood_headers(quint16 port)
{
    std::vector<std::thread> flooders;
    for (int i = 0; i < 3; ++i) {
        flooders.emplace_back([port] {
            const QByteArray line = "X-Flood: " + QByteArray(1000, 'a') + "\r\n";
            long sent = 0;
            while (sent < flood_bytes) {
                const int fd = connect_from("127.0.0.1", port);
                const QByteArray start = "GET /api/v1/cameras HTTP/1.1\r\n";
                ssize_t wrote = ::send(fd, start.constData(), size_t(start.size()), MSG_NOSIGNAL);
                while (wrote > 0 && sent < flood_bytes) {
                    wrote = ::send(fd, line.constData(), size_t(line.size()), MSG_NOSIGNAL);
                    sent += wrote > 0 ? wrote : 0;
                }
                ::close(fd);
            }
        });
    }
    QEventLoop loop;
    std::thread waiting([&] {
        for (std::thread &flooder : flooders)
            flooder.join();
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    waiting.join();
}

// One keep-alive connection, as a control surface holds it.
class Client
{
public:
    explicit Client(quint16 port) : host(QByteArray("127.0.0.1:") + QByteArray::number(port))
    {
        fd = connect_from("127.0.0.1", port);
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    ~Client() { ::close(fd); }
    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

    // A POST and its whole answer, on a thread of its own while the window's
    // thread turns its event loop (it answers there); `sent` is when it went.
    void post(const QByteArray &path, const QByteArray &body, Clock::time_point *sent)
    {
        QEventLoop loop;
        std::thread asking([&] {
            const QByteArray request = "POST " + path + " HTTP/1.1\r\nHost: " + host +
                                       "\r\nContent-Length: " + QByteArray::number(body.size()) +
                                       "\r\n\r\n" + body;
            *sent = Clock::now();
            ::write(fd, request.constData(), size_t(request.size()));
            read_answer();
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        loop.exec();
        asking.join();
    }

private:
    void read_answer()
    {
        QByteArray got;
        char buffer[4096];
        for (;;) {
            const int head_end = got.indexOf("\r\n\r\n");
            if (head_end >= 0) {
                const int length_at = got.toLower().indexOf("content-length:");
                const int length =
                    length_at < 0
                        ? 0
                        : got.mid(length_at + 15, got.indexOf('\r', length_at) - length_at - 15)
                              .trimmed()
                              .toInt();
                if (got.size() >= head_end + 4 + length)
                    return;
            }
            const ssize_t size = ::read(fd, buffer, sizeof buffer);
            if (size <= 0)
                return;
            got.append(buffer, int(size));
        }
    }

    QByteArray host;
    int fd = -1;
};

// The median time of a drive and its stop, each answered.
double drive_and_stop_us(Client &client)
{
    std::vector<double> took;
    Clock::time_point sent;
    for (int turn = 0; turn < 100; ++turn) {
        const Clock::time_point start = Clock::now();
        client.post("/api/v1/cameras/1/drive", R"({"pan": 1, "lease_ms": 2000})", &sent);
        client.post("/api/v1/cameras/1/stop", {}, &sent);
        took.push_back(micros(Clock::now() - start));
    }
    return median(took);
}
} // namespace

void remote_requests(QList<Figure> &figures)
{
    ScratchFolder folder;
    const quint16 http_port = serve_http_from(folder);
    quint16 camera_port = 0;
    const int camera = loopback_socket(SOCK_DGRAM, &camera_port);
    {
        Arrivals arrivals(camera, camera_answer);
        Pad pad("radioButton_10");
        connect_net(pad.window, false, camera_port);
        pad.window.start_remote();
        Client client(http_port);
        Presser pressed = pad.presser(arrivals);
        std::vector<double> requested;
        Clock::time_point sent, arrived;
        for (int turn = 0; turn < turns + warm_up; ++turn) {
            pressed.measure_one(turn >= warm_up);
            arrivals.clear();
            client.post("/api/v1/cameras/1/drive", R"({"pan": 1, "lease_ms": 2000})", &sent);
            if (!arrivals.next(&arrived))
                qFatal("the remote drive never arrived");
            if (turn >= warm_up)
                requested.push_back(micros(arrived - sent));
            client.post("/api/v1/cameras/1/stop", {}, &sent);
            arrivals.next(&arrived);
        }
        figures << Figure{"HTTP drive-to-camera p50 (anchor: a pad press)",
                          percentile(requested, 0.5), percentile(pressed.found, 0.5), "us",
                          "<= 1.5x"}
                << Figure{"HTTP drive-to-camera p99 (anchor: a pad press)",
                          percentile(requested, 0.99), percentile(pressed.found, 0.99), "us",
                          "<= 1.5x"};

        // A drive left alone: from its bytes at the camera to its stop's.
        std::vector<double> stopped;
        for (int lease = 0; lease < leases; ++lease) {
            arrivals.clear();
            client.post("/api/v1/cameras/1/drive",
                        QString(R"({"tilt": 1, "lease_ms": %1})").arg(lease_ms).toUtf8(), &sent);
            Clock::time_point driven, stop;
            arrivals.next(&driven);
            run_event_loop(lease_ms + 150);
            if (arrivals.next(&stop, 0))
                stopped.push_back(micros(stop - driven) / 1000);
        }
        figures << Figure{QString("lease-to-stop p99, a %1 ms lease left to run out (anchor: "
                                  "the lease)")
                              .arg(lease_ms),
                          percentile(stopped, 0.99), double(lease_ms), "ms", "<= lease + 50 ms"};

        // Slow clients each hold a connection with half a request, from
        // two other addresses (eight each, the most one address may hold).
        const double alone = drive_and_stop_us(client);
        std::vector<int> slow;
        for (int i = 0; i < slow_clients; ++i) {
            slow.push_back(
                connect_from(i < slow_clients / 2 ? "127.0.0.2" : "127.0.0.3", http_port));
            const char *const begun = "POST /api/v1/cameras/1/drive HTTP/1.1\r\n";
            ::send(slow.back(), begun, std::strlen(begun), MSG_NOSIGNAL);
        }
        run_event_loop(100);
        figures << Figure{QString("HTTP drive and stop p50 beside %1 slow clients (anchor: "
                                  "none)")
                              .arg(slow_clients),
                          drive_and_stop_us(client), alone, "us", "<= 1.5x"};
        for (const int fd : slow)
            ::close(fd);

        const long before = resident_bytes();
        flood_headers(http_port);
        run_event_loop(200);
        figures << Figure{"memory above before, after 200 MB of headers on 3 connections",
                          double(resident_bytes() - before) / 1048576, 0, "MB", "< 16 MB"};
    }
    ::close(camera);
}
