// What listening to the camera costs and buys: a drive and its stop beside
// a 0 ms loop at a camera that works at a camera's pace, the time a lost
// stop costs until the camera confirms one, the memory a camera that stops
// reading leaves behind, and the longest hold-up of the window under a
// flood of replies on each link.

#include "app/mainwindow.h"
#include "figures.h"
#include "paced_camera.h"
#include "testsupport.h"
#include "visca/commands.h"
#include "visca/visca_over_ip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <atomic>
#include <cstdio>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const QByteArray drive = QByteArray::fromHex("810106010f0f0301ff");
const QByteArray stop = QByteArray::fromHex("8101060103030303ff");
const int rounds = 60;

// Press-to-camera and release-to-camera at a paced camera, in ms: the
// medians of `rounds` presses of the up button, with the rest between them
// random so that a press finds the camera anywhere in its work.
void print_paced(const char *name, MainWindow &window, PacedCamera &camera)
{
    auto *up = control<QPushButton>(&window, "ptz_upButton");
    std::vector<double> pressed_ms, released_ms;
    for (int round = 0; round < rounds; ++round) {
        run_event_loop(20 + round % 7);
        const qint64 pressed = camera.clock().nsecsElapsed();
        QTest::mousePress(up, Qt::LeftButton);
        while (camera.arrival_of(drive, pressed) < 0)
            run_event_loop(1);
        const qint64 released = camera.clock().nsecsElapsed();
        QTest::mouseRelease(up, Qt::LeftButton);
        while (camera.arrival_of(stop, released) < 0)
            run_event_loop(1);
        pressed_ms.push_back(double(camera.arrival_of(drive, pressed) - pressed) / 1e6);
        released_ms.push_back(double(camera.arrival_of(stop, released) - released) / 1e6);
        camera.arrivals.clear();
    }
    std::printf("paced %s %.3f %.3f\n", name, median(pressed_ms), median(released_ms));
    std::fflush(stdout);
}

void start_inquiry_loop(MainWindow &window)
{
    control<QTabWidget>(&window, "tabWidget")->setCurrentIndex(1);
    control<QPlainTextEdit>(&window, "plainTextEdit")->setPlainText("81 09 06 12 FF");
    click(window, "checkBox");
    control<QLineEdit>(&window, "lineEdit")->setText("0");
    click(window, "pushButton_13");
    control<QTabWidget>(&window, "tabWidget")->setCurrentIndex(0);
    run_event_loop(300);
}

void paced_latencies()
{
    for (const bool loop : {false, true}) {
        {
            MainWindow window;
            show_exposed(&window);
            PacedCamera camera(2000);
            attach_link(window, "tcp", QString(), camera.port(), 0);
            if (loop)
                start_inquiry_loop(window);
            print_paced(loop ? "tcp-loop" : "tcp", window, camera);
        }
        {
            MainWindow window;
            show_exposed(&window);
            PtyPeer pty;
            PacedCamera camera(pty.master_fd(), 9600); // the form's default speed
            attach_link(window, "serial", pty.path(), 0, 0);
            if (loop)
                start_inquiry_loop(window);
            print_paced(loop ? "serial-loop" : "serial", window, camera);
        }
    }
}

// From the arrival of a stop the camera never got to the arrival of the
// one it confirms, over UDP: the camera answers all but each first stop.
void dropped_stop()
{
    MainWindow window;
    show_exposed(&window);
    UdpPeer camera;
    attach_link(window, "udp", QString(), 0, camera.port());
    auto *up = control<QPushButton>(&window, "ptz_upButton");
    QElapsedTimer clock;
    clock.start();
    std::vector<double> confirmed_ms;
    for (int round = 0; round < rounds / 3; ++round) {
        QTest::mousePress(up, Qt::LeftButton);
        camera.read(1);
        camera.reply(QByteArray::fromHex("9041ff"));
        camera.reply(QByteArray::fromHex("9051ff"));
        run_event_loop(5);
        QTest::mouseRelease(up, Qt::LeftButton);
        while (camera.pending() < 1)
            run_event_loop(1);
        const qint64 lost = clock.nsecsElapsed();
        camera.read(1);
        while (camera.pending() < 1)
            run_event_loop(1);
        confirmed_ms.push_back(double(clock.nsecsElapsed() - lost) / 1e6);
        camera.read(1);
        camera.reply(QByteArray::fromHex("9041ff"));
        camera.reply(QByteArray::fromHex("9051ff"));
        run_event_loop(300);
    }
    std::printf("dropped %.3f\n", median(confirmed_ms));
    std::fflush(stdout);
}

// Memory above idle after a camera stopped reading while the operator
// went on sending: 20,000 presses of Send and a 0 ms loop for 3 s.
void not_reading()
{
    MainWindow window;
    show_exposed(&window);
    SlowReader camera;
    attach_link(window, "tcp", QString(), camera.port, 0);
    run_event_loop(200);
    const long before = resident_bytes();
    control<QTabWidget>(&window, "tabWidget")->setCurrentIndex(1);
    control<QPlainTextEdit>(&window, "plainTextEdit")
        ->setPlainText("81 01 06 02 18 14 00 00 00 00 00 00 00 00 00 FF");
    ModalCatcher boxes;
    for (int press = 0; press < 20000; ++press)
        control<QPushButton>(&window, "pushButton_13")->click();
    click(window, "checkBox");
    control<QLineEdit>(&window, "lineEdit")->setText("0");
    click(window, "pushButton_13");
    run_event_loop(3000);
    std::printf("reading %ld\n", resident_bytes() - before);
    std::fflush(stdout);
}

// The longest hold-up of the window while `flood` runs on a thread of its
// own for two seconds: "flood NAME LONGEST_MS CPU_IN_IT_MS GAPS".
void print_flood(const char *name, const std::function<void(const std::atomic<bool> &)> &flood)
{
    StallWatch watch;
    watch.start();
    std::atomic<bool> stopping{false};
    std::thread sender([&] { flood(stopping); });
    run_event_loop(2000);
    stopping = true;
    sender.join();
    run_event_loop(500);
    std::printf("flood %s %.2f %.2f %d\n", name, watch.longest_ms(), watch.cpu_in_longest_ms(),
                watch.long_gaps());
    std::fflush(stdout);
}

void floods()
{
    const QByteArray reply = QByteArray::fromHex("9041ff");
    for (const char *kind : {"udp", "visca-ip"}) {
        MainWindow window;
        show_exposed(&window);
        const bool over_ip = QByteArray(kind) == "visca-ip";
        std::unique_ptr<UdpPeer> camera;
        QHostAddress address(QHostAddress::LocalHost);
        for (const QString &spare : spare_loopback_addresses()) {
            address = QHostAddress(spare);
            camera = std::make_unique<UdpPeer>(address, over_ip ? visca::visca_over_ip_port : 0);
            if (camera->bound())
                break;
        }
        click(window, "radioButton_10");
        connect_net(window, false, camera->port(), address.toString());
        click(window, "ptz_resetButton"); // the camera learns where the window listens
        camera->read(over_ip ? 2 : 1);
        const quint16 window_port = camera->window_port();
        const QByteArray datagram =
            over_ip ? visca_over_ip::pack(visca_over_ip::reply, 1, reply) : reply;
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in from{};
        from.sin_family = AF_INET;
        from.sin_port = htons(camera->port());
        from.sin_addr.s_addr = htonl(address.toIPv4Address());
        camera.reset(); // its port is the flood's now
        int reuse = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
        ::bind(fd, reinterpret_cast<sockaddr *>(&from), sizeof from);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(window_port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        print_flood(kind, [&](const std::atomic<bool> &stopping) {
            while (!stopping)
                ::sendto(fd, datagram.constData(), size_t(datagram.size()), 0,
                         reinterpret_cast<sockaddr *>(&to), sizeof to);
        });
        ::close(fd);
    }
    {
        MainWindow window;
        show_exposed(&window);
        quint16 port = 0;
        const int listener = loopback_socket(SOCK_STREAM, &port);
        connect_net(window, true, port);
        const int peer = ::accept(listener, nullptr, nullptr);
        const QByteArray replies = reply.repeated(1000);
        print_flood("tcp", [&](const std::atomic<bool> &stopping) {
            while (!stopping)
                ::send(peer, replies.constData(), size_t(replies.size()), MSG_DONTWAIT);
        });
        ::close(peer);
        ::close(listener);
    }
    {
        MainWindow window;
        show_exposed(&window);
        PtyPeer pty;
        open_serial(window, pty.path());
        const QByteArray replies = reply.repeated(1000);
        print_flood("serial", [&](const std::atomic<bool> &stopping) {
            while (!stopping)
                if (::write(pty.master_fd(), replies.constData(), size_t(replies.size())) < 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
        });
    }
}
} // namespace

int run_listening_child(int argc, char *argv[], const QString &part)
{
    QApplication application(argc, argv);
    ScratchFolder folder;
    if (part == "paced")
        paced_latencies();
    else if (part == "dropped")
        dropped_stop();
    else if (part == "reading")
        not_reading();
    else
        floods();
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}
