#ifndef ZARVICK_MONITOR_PAIR_H
#define ZARVICK_MONITOR_PAIR_H

#include "monitor/endpoint.h"
#include "monitor/exchange.h"
#include "monitor/line.h"
#include "visca/packet_cutter.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <map>
#include <memory>

class QSerialPort;
class QTcpServer;
class QTcpSocket;
class QUdpSocket;

namespace monitor {

// One monitor pair: it listens where the controllers expect the camera and
// passes every message on to the real camera, and the camera's messages
// back to the controller they are for (see Exchange), telling each as a
// Line. A network camera gets a connection (or a UDP socket) of its own
// for each controller, so its answers come back where they belong; a
// serial camera is shared.
class Pair : public QObject
{
    Q_OBJECT

public:
    Pair(int number, const PairSpec &setup, QObject *parent = nullptr);
    ~Pair() override;
    // Opens the listening end (and a serial camera); false with the reason.
    bool start(QString *error);
    void stop();
    bool running() const { return is_running; }
    int number() const { return pair_number; }
    void set_number(int number) { pair_number = number; }
    const PairSpec &setup() const { return pair_spec; }
    int controllers() const { return int(known.size()); }

    static constexpr int most_controllers = 16;
    // Bytes a peer has not taken yet; past this it is dropped.
    static constexpr qint64 most_unwritten = qint64(64) * 1024;
    // A UDP controller silent this long is forgotten (its camera socket
    // closed).
    static constexpr int idle_ms = 3 * 60 * 1000;
    // A stream keeps at most this much without an FF: twice the longest
    // VISCA message.
    static constexpr int stream_limit = 32;

signals:
    void line(const monitor::Line &line);
    // The pair stopped on its own: its serial line or listening socket
    // failed, or a serial peer stopped reading.
    void failed(const QString &reason);

private:
    struct Controller {
        QString name;
        QHostAddress address;
        quint16 port = 0;
        QTcpSocket *connection = nullptr;
        PacketCutter cutter{stream_limit};
        // Its own way to a network camera.
        QUdpSocket *camera_datagrams = nullptr;
        QTcpSocket *camera_stream = nullptr;
        PacketCutter camera_cutter{stream_limit};
        qint64 last_heard_ms = 0;
    };

    bool open_listening(QString *error);
    bool open_serial_camera(QString *error);
    QSerialPort *open_serial(const Endpoint &endpoint, QString *error);
    void read_listen_datagrams();
    void accept_controllers();
    void read_controller_stream(int id);
    void read_listen_line();
    void read_camera_line();
    void read_camera_datagrams(int id);
    void read_camera_stream(int id);
    int controller_for_datagram(const QHostAddress &address, quint16 port);
    int add_controller(const QString &name);
    void refuse(const QString &name);
    void from_controller(int id, const QByteArray &unit);
    void from_camera(int id, const QByteArray &unit);
    void to_camera(int id, const QByteArray &bytes);
    void to_controller(int id, const QByteArray &bytes);
    bool open_camera_way(Controller &controller, int id);
    void drop(int id, const QString &why);
    void forget_idle();
    void fail(const QString &reason);
    void note(const QString &controller, const QString &text);
    QString controller_name(int id) const;
    static void let_go(QObject *object);

    int pair_number;
    const PairSpec pair_spec;
    Exchange exchange;
    Wording wording;
    bool is_running = false;
    QElapsedTimer clock;
    QTimer idle_check;
    std::map<int, std::unique_ptr<Controller>> known;
    int next_id = 0;
    // The one controller of a serial listening end.
    int line_controller = -1;
    // Senders refused for want of room, said once each.
    QSet<QString> refused;
    QPointer<QUdpSocket> listen_datagrams;
    QPointer<QTcpServer> listen_server;
    QPointer<QSerialPort> listen_line;
    QPointer<QSerialPort> camera_line;
    PacketCutter camera_line_cutter{stream_limit};
};

} // namespace monitor

#endif
