// What hostile input costs the window: memory while a device that never
// sends FF streams into the serial port, and the longest hold-up of the
// event loop when one read brings a megabyte.

#include "app/mainwindow.h"
#include "figures.h"
#include "testsupport.h"
#include "visca/discovery.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>

#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Streams `megabytes` of 'A' into the window's serial port, as fast as the
// window reads them.
void stream_without_ff(PtyPeer &pty, int megabytes)
{
    std::atomic<bool> done{false};
    std::thread device([&] {
        const QByteArray chunk(65536, 'A');
        long left = long(megabytes) * 1048576;
        while (left > 0) {
            const ssize_t wrote = ::write(pty.master_fd(), chunk.constData(),
                                          size_t(std::min<long>(left, chunk.size())));
            if (wrote > 0)
                left -= wrote;
            else if (errno == EAGAIN)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            else
                break;
        }
        done = true;
    });
    while (!done)
        run_event_loop(20);
    device.join();
    run_event_loop(300);
}

// The longest gap between the turns of a 1 ms timer while `bytes` arrive
// over TCP in one write.
double longest_stall_ms(int peer_fd, const QByteArray &bytes)
{
    StallWatch watch;
    watch.start();
    for (int sent = 0; sent < bytes.size();) {
        const ssize_t wrote =
            ::send(peer_fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_DONTWAIT);
        if (wrote > 0)
            sent += int(wrote);
        run_event_loop(1);
    }
    run_event_loop(1000);
    return watch.longest_ms();
}
// The window's port that `fd` (a loopback datagram socket) got a datagram
// from, waiting up to two seconds while the window's loop runs.
quint16 window_port(int fd)
{
    sockaddr_in from{};
    for (int tries = 0; tries < 200; ++tries) {
        socklen_t length = sizeof from;
        char buffer[2048];
        if (::recvfrom(fd, buffer, sizeof buffer, MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&from),
                       &length) > 0)
            return ntohs(from.sin_port);
        run_event_loop(10);
    }
    return 0;
}

// The longest gap between the turns of a 1 ms timer, and the window's own
// CPU in it, while `datagrams` go from `fd` to the window's `port` as fast
// as a thread sends them: "NAME LONGEST_MS CPU_MS".
void print_datagram_flood(const char *name, int fd, quint16 port,
                          const QList<QByteArray> &datagrams)
{
    StallWatch watch;
    watch.start();
    std::atomic<bool> done{false};
    std::thread sender([&] {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        for (const QByteArray &datagram : datagrams)
            ::sendto(fd, datagram.constData(), size_t(datagram.size()), 0,
                     reinterpret_cast<const sockaddr *>(&to), sizeof to);
        done = true;
    });
    while (!done)
        run_event_loop(20);
    sender.join();
    run_event_loop(1000);
    std::printf("%s %.2f %.2f\n", name, watch.longest_ms(), watch.cpu_in_longest_ms());
    std::fflush(stdout);
}

// A UDP camera that sends 2,000 datagrams of 60,000 bytes without FF, and
// 20,000 different answers to the network cameras' enquiry.
void datagram_floods(MainWindow &window)
{
    quint16 camera_port = 0;
    const int camera = loopback_socket(SOCK_DGRAM, &camera_port);
    connect_net(window, false, camera_port);
    click(window, "ptz_resetButton");
    QList<QByteArray> large;
    for (int datagram = 0; datagram < 2000; ++datagram)
        large << QByteArray(60000, '\x90');
    print_datagram_flood("udpflood", camera, window_port(camera), large);

    quint16 asked_port = 0;
    const int cameras = loopback_socket(SOCK_DGRAM, &asked_port);
    qputenv("ZARVICK_DISCOVERY_TARGETS", QByteArray("127.0.0.1:") + QByteArray::number(asked_port));
    // The operator looks at the list while it fills.
    auto *tabs = control<QTabWidget>(&window, "tabWidget");
    tabs->setCurrentWidget(control<QWidget>(&window, "tab_cameras"));
    click(window, "findNetworkButton");
    QList<QByteArray> answers;
    for (int answer = 0; answer < 20000; ++answer) {
        const QString number = QString::number(answer);
        answers << visca::discovery_reply(
            {{"MAC", "02-00-00-00-" + number},
             {"MODEL", "FLOOD"},
             {"SOFTVERSION", "1"},
             {"IPADR", QString("10.9.%1.%2").arg(answer / 250).arg(answer % 250 + 1)},
             {"MASK", "255.255.0.0"},
             {"NAME", "F" + number},
             {"WRITE", "on"}});
    }
    print_datagram_flood("enquiryflood", cameras, window_port(cameras), answers);
    ::close(camera);
    ::close(cameras);
}
} // namespace

int run_hostile_child(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ScratchFolder folder;
    MainWindow window;
    show_exposed(&window);
    {
        PtyPeer pty;
        open_serial(window, pty.path());
        const long before = resident_bytes();
        int streamed = 0;
        for (int megabytes : {1, 3, 20}) {
            stream_without_ff(pty, megabytes - streamed);
            streamed = megabytes;
            std::printf("ffless %d %ld\n", megabytes, resident_bytes() - before);
            std::fflush(stdout);
        }
        click(window, "pushButton_16");
    }

    quint16 port = 0;
    const int listener = loopback_socket(SOCK_STREAM, &port);
    connect_net(window, true, port);
    const int peer = ::accept(listener, nullptr, nullptr);
    const double small = longest_stall_ms(peer, QByteArray::fromHex("9041ff"));
    const double large = longest_stall_ms(peer, QByteArray(1048576, '\x90'));
    std::printf("stall %.2f %.2f\n", large, small);
    ::close(peer);
    ::close(listener);
    datagram_floods(window);
    return 0;
}
