// What hostile input costs the window: memory while a device that never
// sends FF streams into the serial port, and the longest hold-up of the
// event loop when one read brings a megabyte.

#include "app/mainwindow.h"
#include "figures.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>

#include <cerrno>
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
    return 0;
}
