#ifndef ZARVICK_SIM_CAMERA_SERVER_H
#define ZARVICK_SIM_CAMERA_SERVER_H

#include "visca/commands.h"
#include "visca/packet_cutter.h"
#include "visca_camera.h"

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <vector>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QUdpSocket;

struct SimOptions {
    QHostAddress bind = QHostAddress(QHostAddress::LocalHost);
    quint16 tcp_port = visca::tcp_port;
    quint16 udp_port = visca::udp_port;
    quint16 visca_ip_port = visca::visca_over_ip_port;
    // The network enquiry's port; 0 for none.
    quint16 discovery_port = visca::discovery_port;
    QString name = QStringLiteral("SIM");
    bool serial = false;
    QString link;
    ViscaCamera::Config camera;
    // Cameras 1 to `chain` on one line, as a VISCA daisy chain: each
    // answers under its own address, broadcasts pass through them all.
    int chain = 1;
    bool quiet = false;
    // Every message heard and every reply sent, in hex, even when quiet.
    bool show_bytes = false;
    bool silent = false;
    int drop_after = 0;
    bool garbage = false;
    // The share of UDP and VISCA over IP datagrams lost on their way in,
    // drawn from `seed` so that a run can be repeated.
    int loss_percent = 0;
    quint32 seed = 1;
};

// One simulated camera, or a chain of them, reached four ways at once: TCP
// connections, UDP datagrams, VISCA over IP datagrams and a pseudo-terminal.
// Replies go back on the link a message came from.
class CameraServer : public QObject
{
    Q_OBJECT

public:
    explicit CameraServer(const SimOptions &chosen);
    ~CameraServer() override;
    // Opens the links; on failure says why in `error`.
    bool start(QString *error);
    // A datagram that came to the VISCA over IP port.
    void take_visca_ip(const QByteArray &datagram, const QHostAddress &sender, quint16 port);
    // Controllers whose sequence numbers are kept, and completions still to
    // be sent: both stay bounded whatever arrives.
    int controllers_known() const { return int(expected_sequence.size()); }
    int completions_waiting() const;

private:
    using Send = std::function<void(const QByteArray &)>;
    struct Connection {
        PacketCutter cutter;
        int messages = 0;
    };

    bool open_serial(QString *error);
    void accept_tcp();
    void accept_failed(QAbstractSocket::SocketError error);
    void pause_accepting(const QString &reason);
    void resume_accepting();
    void read_tcp(QTcpSocket *socket);
    void read_udp();
    void read_visca_ip();
    void remember_controller(const QString &controller, quint32 next_sequence);
    bool lost_on_the_way(const QString &link);
    void read_pty();
    // A command that waits holds its socket: one timer each, stopped when a
    // cancel or a clear frees the socket.
    struct Completion {
        QTimer timer;
        QByteArray bytes;
        int ticket = 0;
        Send send;
    };
    // One camera of the chain and the completions it owes.
    struct Unit {
        explicit Unit(const ViscaCamera::Config &config) : camera(config) {}
        ViscaCamera camera;
        std::array<Completion, 2> completions;
    };

    void handle(const QByteArray &message, const QString &link, const Send &send);
    void pass_broadcast(const QByteArray &message, const QString &link, const Send &send);
    void answer(Unit &unit, const ViscaCamera::Answer &answer, const QString &link,
                const Send &send);
    void reply(const QByteArray &bytes, const Send &send);
    void await_completion(Unit &unit, const ViscaCamera::Answer &answer, const Send &send);
    static void forget_freed_completions(Unit &unit);
    QString cameras() const;
    void say(const QString &line, bool always = false);
    void show_bytes(const char *what, const QByteArray &bytes);

    const SimOptions options;
    std::vector<std::unique_ptr<Unit>> units;
    QElapsedTimer clock;
    QTcpServer *tcp_server;
    QUdpSocket *udp_socket;
    QUdpSocket *visca_ip_socket;
    // VISCA over IP: the least sequence number each controller (address
    // and port) may send next; none before its first message.
    QHash<QString, quint32> expected_sequence;
    static constexpr int most_controllers = 4096;
    QHash<QTcpSocket *, Connection> connections;
    // A controller that never reads must not make the camera grow without
    // bound: past this much unsent, its connection is closed.
    static constexpr qint64 most_unsent_bytes = qint64(1024) * 1024;
    static constexpr int accept_retry_ms = 200;
    // Qt's own default: connections accepted and not taken yet.
    static constexpr int pending_connections = 30;
    QTimer accept_retry;
    bool accepting_paused_said = false;
    std::mt19937 loss_draw;
    int pty_master = -1;
    int pty_slave = -1;
    QSocketNotifier *pty_notifier = nullptr;
    PacketCutter pty_cutter;
};

#endif
