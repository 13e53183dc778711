// The monitor's cost: the round trip of a command to its ACK through a
// `zarvick --monitor` pair (UDP to UDP, and VISCA over IP to UDP), beside
// the same commands sent straight to the camera; and the monitor's CPU
// while 1,000 messages a second pass through it.

#include "figures.h"
#include "testsupport.h"
#include "visca/visca_over_ip.h"

#include <QFile>
#include <QProcess>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
using MonitorClock = std::chrono::steady_clock;
constexpr int round_trips = 2000;
constexpr int warm_up_trips = 100;
constexpr int paced_seconds = 5;
const QByteArray command = QByteArray::fromHex("8101040002ff");

// A camera on a thread of its own, answering every command at once with
// its ACK and completion, as fast as a socket can.
class ThreadCamera
{
public:
    ThreadCamera() : socket(loopback_socket(SOCK_DGRAM, &port)), runner([this] { run(); }) {}
    ~ThreadCamera()
    {
        stopping = true;
        runner.join();
        ::close(socket);
    }
    quint16 port = 0;

private:
    void run()
    {
        char buffer[64];
        while (!stopping) {
            pollfd ready{socket, POLLIN, 0};
            if (::poll(&ready, 1, 50) <= 0)
                continue;
            sockaddr_in from{};
            socklen_t length = sizeof from;
            if (::recvfrom(socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from),
                           &length) <= 0)
                continue;
            const QList<QByteArray> replies = camera_answer(QByteArray(buffer, 6));
            for (const QByteArray &reply : replies)
                ::sendto(socket, reply.constData(), size_t(reply.size()), 0,
                         reinterpret_cast<sockaddr *>(&from), length);
        }
    }
    int socket;
    std::atomic<bool> stopping{false};
    std::thread runner;
};

// A controller's socket: sends and waits for the replies itself, with no
// event loop in between.
class BareController
{
public:
    BareController() : socket(loopback_socket(SOCK_DGRAM, &own_port)) {}
    ~BareController() { ::close(socket); }
    void send(quint16 port, const QByteArray &bytes) const
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        ::sendto(socket, bytes.constData(), size_t(bytes.size()), 0,
                 reinterpret_cast<sockaddr *>(&to), sizeof to);
    }
    // Waits up to `timeout_ms` for a datagram; false when none came.
    bool receive(int timeout_ms) const
    {
        pollfd ready{socket, POLLIN, 0};
        char buffer[64];
        return ::poll(&ready, 1, timeout_ms) > 0 && ::recv(socket, buffer, sizeof buffer, 0) > 0;
    }
    void drain() const
    {
        while (receive(0)) {
        }
    }

private:
    quint16 own_port = 0;
    int socket;
};

// Microseconds from each command to its ACK, `port` the camera's or the
// pair's; the completion is read before the next goes.
std::vector<double> round_trip_times(quint16 port, bool numbered)
{
    BareController controller;
    std::vector<double> times;
    for (int trip = 0; trip < round_trips + warm_up_trips; ++trip) {
        const QByteArray bytes =
            numbered ? visca_over_ip::pack(visca_over_ip::command, quint32(trip + 1), command)
                     : command;
        const MonitorClock::time_point sent = MonitorClock::now();
        controller.send(port, bytes);
        if (!controller.receive(1000))
            continue;
        const double us =
            double(std::chrono::duration_cast<std::chrono::microseconds>(MonitorClock::now() - sent)
                       .count());
        controller.receive(1000);
        if (trip >= warm_up_trips)
            times.push_back(us);
    }
    return times;
}

// The CPU seconds the process `pid` has used, from /proc.
double process_cpu_seconds(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The fields after the command's name, which may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / ticks;
}

// A message every millisecond through the pair for a few seconds, its
// replies read as they come; the share of one core the monitor used.
double paced_cpu_percent(quint16 port, qint64 pid)
{
    BareController controller;
    const double before = process_cpu_seconds(pid);
    const MonitorClock::time_point start = MonitorClock::now();
    for (int message = 0; message < paced_seconds * 1000; ++message) {
        const MonitorClock::time_point due = start + std::chrono::milliseconds(message);
        while (MonitorClock::now() < due)
            controller.receive(1);
        controller.send(port, command);
    }
    controller.drain();
    const double seconds = std::chrono::duration<double>(MonitorClock::now() - start).count();
    return 100.0 * (process_cpu_seconds(pid) - before) / seconds;
}

quint16 free_udp_port()
{
    quint16 port = 0;
    ::close(loopback_socket(SOCK_DGRAM, &port));
    return port;
}

// `zarvick --monitor` for `pairs`, its lines thrown away, once it answers.
bool start_monitor(QProcess &program, const QStringList &pairs, quint16 first_port)
{
    QStringList arguments;
    for (const QString &pair : pairs)
        arguments << "--monitor" << pair;
    program.setStandardOutputFile(QProcess::nullDevice());
    program.start(ZARVICK_PATH, arguments);
    BareController controller;
    for (int tries = 0; tries < 100; ++tries) {
        controller.send(first_port, command);
        if (controller.receive(50)) {
            controller.drain();
            return true;
        }
    }
    return false;
}
} // namespace

void monitor_delay(QList<Figure> &figures)
{
    ThreadCamera camera;
    const quint16 udp_port = free_udp_port();
    const quint16 numbered_port = free_udp_port();
    const QString camera_end = QString("udp:127.0.0.1:%1").arg(camera.port);
    QProcess program;
    if (!start_monitor(program,
                       {QString("udp:127.0.0.1:%1=").arg(udp_port) + camera_end,
                        QString("visca-ip:127.0.0.1:%1=").arg(numbered_port) + camera_end},
                       udp_port)) {
        qWarning("zarvick --monitor did not answer");
        return;
    }
    const std::vector<double> straight = round_trip_times(camera.port, false);
    const std::vector<double> through = round_trip_times(udp_port, false);
    const std::vector<double> translated = round_trip_times(numbered_port, true);
    const double cpu = paced_cpu_percent(udp_port, program.processId());
    program.terminate();
    program.waitForFinished(3000);
    for (const auto &[share, name] : {std::pair(0.5, "p50"), std::pair(0.99, "p99")}) {
        const double anchor = percentile(straight, share);
        figures << Figure{QString("monitor: command to ACK %1, udp to udp (anchor: straight to "
                                  "the camera)")
                              .arg(name),
                          percentile(through, share), anchor, "us",
                          share > 0.9 ? "anchor + 1 ms" : "-"}
                << Figure{QString("monitor: command to ACK %1, VISCA over IP to udp (anchor: "
                                  "straight to the camera)")
                              .arg(name),
                          percentile(translated, share), anchor, "us",
                          share > 0.9 ? "anchor + 1 ms" : "-"};
    }
    figures << Figure{"monitor: CPU at 1,000 messages a second (% of one core)", cpu, 0, "%", "-"};
}
