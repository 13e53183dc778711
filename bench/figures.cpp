#include "figures.h"

#include "testsupport.h"

#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(share * double(values.size())));
    return values[index];
}

long resident_bytes()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : 0;
}

double thread_cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void run_event_loop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int loopback_socket(int type, quint16 *port)
{
    const int fd = ::socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), length);
    if (type == SOCK_STREAM)
        ::listen(fd, 4);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    *port = ntohs(address.sin_port);
    return fd;
}

StallWatch::StallWatch()
{
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [this] {
        const qint64 now = clock.nsecsElapsed();
        const double cpu = thread_cpu_seconds();
        if (now - last > worst) {
            worst = now - last;
            worst_cpu = cpu - last_cpu;
        }
        if (now - last >= 20000000)
            ++long_gap_count;
        last = now;
        last_cpu = cpu;
    });
}

void StallWatch::start()
{
    clock.start();
    last = 0;
    last_cpu = thread_cpu_seconds();
    ticker.start(1);
    run_event_loop(100);
    worst = 0;
    worst_cpu = 0;
    long_gap_count = 0;
}

quint16 serve_http_from(const ScratchFolder &folder)
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    folder.write(
        "config.ini",
        QString("[LANGUAGE_CONF]\nlanguage=English\n[API]\nHttpPort=%1\n").arg(port).toUtf8());
    return port;
}
