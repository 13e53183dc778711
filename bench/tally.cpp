// The switcher's tally to the camera's lamps: a TSL 3.1 datagram sent to
// the window's tally source, until both lamps' messages reached the
// camera; beside a bare relay that turns the same datagram into the same
// two messages.

#include "app/mainwindow.h"
#include "arrivals.h"
#include "figures.h"
#include "testsupport.h"

#include <QUdpSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int changes = 300;
constexpr int warm_up = 10;

QByteArray tsl31(int control)
{
    return QByteArray(1, char(0x83)) + char(control) + QByteArray(16, ' ');
}

// The camera ACKs its lamps and answers the liveness questions, which do
// not count as arrivals.
QList<QByteArray> lamps_acknowledged(const QByteArray &datagram)
{
    if (datagram.size() > 1 && datagram.at(1) == 0x09)
        return {QByteArray::fromHex("905002ff")};
    return {QByteArray::fromHex("9041ff")};
}

// Sends each change to `port` and waits for its two lamp messages; the
// microseconds from send to the second.
std::vector<double> time_changes(quint16 port, Arrivals &arrivals)
{
    QUdpSocket switcher;
    std::vector<double> times;
    for (int change = 0; change < changes + warm_up; ++change) {
        const Clock::time_point sent = Clock::now();
        switcher.writeDatagram(tsl31(change % 2 ? 0x01 : 0x02), QHostAddress::LocalHost, port);
        Clock::time_point when;
        int seen = 0;
        for (int tries = 0; seen < 2 && tries < 400; ++tries) {
            run_event_loop(1);
            while (seen < 2 && arrivals.next(&when, 0))
                ++seen;
        }
        if (change >= warm_up && seen == 2)
            times.push_back(
                double(std::chrono::duration_cast<std::chrono::microseconds>(when - sent).count()));
    }
    return times;
}
} // namespace

void switcher_tally(QList<Figure> &figures)
{
    quint16 camera_port = 0;
    const int camera = loopback_socket(SOCK_DGRAM, &camera_port);
    Arrivals arrivals(camera, lamps_acknowledged);
    // The anchor: a relay with no window, the same messages.
    std::vector<double> bare;
    {
        // The camera's ACKs go to a socket of their own, as to the window's link.
        QUdpSocket relay;
        QUdpSocket link;
        relay.bind(QHostAddress(QHostAddress::LocalHost), 0);
        QObject::connect(&relay, &QUdpSocket::readyRead, [&] {
            while (relay.hasPendingDatagrams()) {
                const bool program = (relay.receiveDatagram().data().at(1) & 0x01) != 0;
                for (const char *lamp :
                     {"81017e041a0003ff", program ? "81017e010a0002ff" : "81017e010a0003ff"})
                    link.writeDatagram(QByteArray::fromHex(lamp), QHostAddress::LocalHost,
                                       camera_port);
            }
            while (link.hasPendingDatagrams())
                link.receiveDatagram();
        });
        bare = time_changes(relay.localPort(), arrivals);
    }
    ScratchFolder folder;
    const quint16 tsl_port = [] {
        QUdpSocket probe;
        probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
        return probe.localPort();
    }();
    folder.write("config.ini", QString("[CAMERAS]\nOpenAtStart=true\n"
                                       "[NET_CONF]\nProtocol=UDP\nAddress=127.0.0.1\nPort=%1\n"
                                       "[CAMERA_1]\nLink=UDP\nOpen=true\nTallyIndex=3\n"
                                       "[TALLY_SOURCE]\nKind=TSL3.1\nTransport=UDP\nPort=%2\n")
                                   .arg(camera_port)
                                   .arg(tsl_port)
                                   .toUtf8());
    MainWindow window;
    show_exposed(&window);
    run_event_loop(300);
    arrivals.clear();
    const std::vector<double> ours = time_changes(tsl_port, arrivals);
    ::close(camera);
    figures << Figure{"switcher's TSL message to both lamps at the camera p50 (anchor: bare relay)",
                      percentile(ours, 0.5), percentile(bare, 0.5), "us", "-"}
            << Figure{"switcher's TSL message to both lamps at the camera p99 (anchor: bare relay)",
                      percentile(ours, 0.99), percentile(bare, 0.99), "us", "< 5 ms"};
}
