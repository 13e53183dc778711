#include "camera_server.h"

#include "discovery_answer.h"

#include "raw_pty.h"
#include "visca/command_text.h"
#include "visca/visca_over_ip.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTime>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

CameraServer::CameraServer(const SimOptions &chosen)
    : options(chosen), tcp_server(new QTcpServer(this)), udp_socket(new QUdpSocket(this)),
      visca_ip_socket(new QUdpSocket(this)), loss_draw(chosen.seed)
{
    clock.start();
    for (int address = 1; address <= options.chain; ++address) {
        ViscaCamera::Config config = options.camera;
        config.address = address;
        units.push_back(std::make_unique<Unit>(config));
        Unit &unit = *units.back();
        for (int socket = 1; socket <= int(unit.completions.size()); ++socket) {
            Completion &completion = unit.completions.at(socket - 1);
            completion.timer.setSingleShot(true);
            connect(&completion.timer, &QTimer::timeout, this, [this, socket, &unit, &completion] {
                // A cancelled command gets no completion.
                if (unit.camera.finish(socket, completion.ticket))
                    reply(completion.bytes, completion.send);
                completion.send = nullptr;
            });
        }
    }
}

CameraServer::~CameraServer()
{
    if (!options.link.isEmpty() && pty_master >= 0)
        QFile::remove(options.link);
    if (pty_master >= 0)
        ::close(pty_master);
    if (pty_slave >= 0)
        ::close(pty_slave);
}

bool CameraServer::start(QString *error)
{
    const QString at = options.bind.toString();
    if (!tcp_server->listen(options.bind, options.tcp_port)) {
        *error =
            QString("TCP %1:%2: %3").arg(at).arg(options.tcp_port).arg(tcp_server->errorString());
        return false;
    }
    connect(tcp_server, &QTcpServer::newConnection, this, &CameraServer::accept_tcp);
    connect(tcp_server, &QTcpServer::acceptError, this, &CameraServer::accept_failed);
    accept_retry.setSingleShot(true);
    connect(&accept_retry, &QTimer::timeout, this, &CameraServer::resume_accepting);
    say(QString("%1 on TCP %2:%3").arg(cameras()).arg(at).arg(tcp_server->serverPort()), true);

    if (!udp_socket->bind(options.bind, options.udp_port)) {
        *error =
            QString("UDP %1:%2: %3").arg(at).arg(options.udp_port).arg(udp_socket->errorString());
        return false;
    }
    connect(udp_socket, &QUdpSocket::readyRead, this, &CameraServer::read_udp);
    say(QString("%1 on UDP %2:%3").arg(cameras()).arg(at).arg(udp_socket->localPort()), true);

    if (!visca_ip_socket->bind(options.bind, options.visca_ip_port)) {
        *error = QString("VISCA over IP %1:%2: %3")
                     .arg(at)
                     .arg(options.visca_ip_port)
                     .arg(visca_ip_socket->errorString());
        return false;
    }
    connect(visca_ip_socket, &QUdpSocket::readyRead, this, &CameraServer::read_visca_ip);
    say(QString("%1 on VISCA over IP %2:%3")
            .arg(cameras())
            .arg(at)
            .arg(visca_ip_socket->localPort()),
        true);

    if (options.discovery_port != 0) {
        auto *discovery = new DiscoveryAnswer(
            options.name, [this](const QString &line) { say(line); }, this);
        if (!discovery->listen(options.bind, options.discovery_port, error)) {
            *error = QString("discovery %1:%2: %3").arg(at).arg(options.discovery_port).arg(*error);
            return false;
        }
        say(QString("%1 on discovery %2:%3").arg(cameras()).arg(at).arg(discovery->port()), true);
    }

    if (options.serial && !open_serial(error))
        return false;
    // Scripts and tests wait for this line rather than for a fixed time.
    say(cameras() + " listening", true);
    return true;
}

bool CameraServer::open_serial(QString *error)
{
    // The slave end stays open here too, so that a controller closing and
    // reopening the port does not hang the line up.
    const RawPty pty = open_raw_pty();
    if (pty.slave_path.isEmpty()) {
        *error = "cannot open a pseudo-terminal";
        return false;
    }
    pty_master = pty.master;
    pty_slave = pty.slave;
    pty_notifier = new QSocketNotifier(pty_master, QSocketNotifier::Read, this);
    connect(pty_notifier, &QSocketNotifier::activated, this, &CameraServer::read_pty);
    QString where = pty.slave_path;
    if (!options.link.isEmpty()) {
        if (QFileInfo(options.link).isSymLink())
            QFile::remove(options.link);
        if (!QFile::link(where, options.link)) {
            *error = QString("cannot make the link %1").arg(options.link);
            return false;
        }
        where += " (link " + options.link + ")";
    }
    say(cameras() + " on serial " + where, true);
    return true;
}

namespace {
// Whether a few more descriptors could be opened now: a process that uses
// its last one can open nothing else (a file, a pipe, a helper's stream;
// a sanitizer probes memory through a pipe), so the last few stay free.
bool descriptor_free()
{
    const int reserve = 4;
    std::array<int, reserve> probes{};
    int opened = 0;
    while (opened < reserve) {
        probes[opened] = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (probes[opened] < 0)
            break;
        ++opened;
    }
    for (int i = 0; i < opened; ++i)
        ::close(probes[i]);
    return opened == reserve;
}
} // namespace

void CameraServer::accept_tcp()
{
    while (QTcpSocket *socket = tcp_server->nextPendingConnection()) {
        connections.insert(socket, Connection());
        // What a controller sends waits in the system, not here: a flood
        // is taken a slice at a time, each slice answered before the next.
        socket->setReadBufferSize(qint64(64) * 1024);
        // Each reply leaves as it is made, as a camera's does, rather than
        // waiting for the controller's acknowledgement of the one before.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        const QString peer =
            QString("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        say("tcp: controller " + peer + " connected");
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read_tcp(socket); });
        // Queued and guarded: a socket also says it disconnected while it is
        // being destroyed, when it is no QTcpSocket any more.
        const QPointer<QTcpSocket> guarded(socket);
        const auto gone = [this, socket, guarded, peer] {
            connections.remove(socket);
            if (guarded)
                guarded->deleteLater();
            say("tcp: controller " + peer + " disconnected");
            // A descriptor comes free once the socket is deleted: the retry
            // comes now, after that (and looks again if it is not free yet).
            if (accept_retry.isActive())
                accept_retry.start(0);
        };
        connect(socket, &QTcpSocket::disconnected, this, gone, Qt::QueuedConnection);
    }
    // Qt takes a failed accept() for a passing one and tries again at once,
    // for as long as the next controller waits: stop before the last
    // descriptor is gone.
    if (!descriptor_free())
        pause_accepting(QString::fromLocal8Bit(std::strerror(EMFILE)));
}

void CameraServer::accept_failed(QAbstractSocket::SocketError)
{
    pause_accepting(tcp_server->errorString());
}

void CameraServer::pause_accepting(const QString &reason)
{
    // Out of descriptors, accept() fails until one frees: retrying at once
    // would only spin. Qt's accepting goes on within the same notification
    // while pending connections are allowed: none are, until the retry.
    tcp_server->pauseAccepting();
    tcp_server->setMaxPendingConnections(0);
    if (!accepting_paused_said)
        say("tcp: cannot accept (" + reason + "); paused until a descriptor frees", true);
    accepting_paused_said = true;
    accept_retry.start(accept_retry_ms);
}

void CameraServer::resume_accepting()
{
    accept_retry.stop();
    if (descriptor_free()) {
        tcp_server->setMaxPendingConnections(pending_connections);
        tcp_server->resumeAccepting();
    } else
        accept_retry.start(accept_retry_ms);
}

void CameraServer::read_tcp(QTcpSocket *socket)
{
    auto found = connections.find(socket);
    if (found == connections.end())
        return;
    const QPointer<QTcpSocket> guarded(socket);
    const Send send = [this, guarded](const QByteArray &bytes) {
        if (!guarded || !guarded->isOpen())
            return;
        // Flushed at once: a controller that sends and half-closes still
        // gets its answer before the connection goes.
        show_bytes("tcp: sent ", bytes);
        guarded->write(bytes);
        guarded->flush();
        if (guarded->bytesToWrite() > most_unsent_bytes) {
            say(QString("tcp: controller %1:%2 does not read its replies; closing")
                    .arg(guarded->peerAddress().toString())
                    .arg(guarded->peerPort()),
                true);
            guarded->abort();
        }
    };
    const auto messages = found->cutter.feed(socket->readAll());
    for (const QByteArray &message : messages) {
        show_bytes("tcp: heard ", message);
        handle(message, "tcp", send);
        // A reply may have closed the connection (see `send`).
        found = connections.find(socket);
        if (found == connections.end() || !guarded || !guarded->isOpen())
            return;
        if (options.drop_after > 0 && ++found->messages >= options.drop_after) {
            say(QString("tcp: dropping the connection after %1 messages").arg(found->messages));
            socket->disconnectFromHost();
            return;
        }
    }
}

void CameraServer::read_udp()
{
    while (udp_socket->hasPendingDatagrams()) {
        QByteArray datagram(static_cast<int>(udp_socket->pendingDatagramSize()), '\0');
        QHostAddress sender;
        quint16 sender_port = 0;
        udp_socket->readDatagram(datagram.data(), datagram.size(), &sender, &sender_port);
        if (lost_on_the_way("udp"))
            continue;
        show_bytes("udp: heard ", datagram);
        const Send send = [this, sender, sender_port](const QByteArray &bytes) {
            show_bytes("udp: sent ", bytes);
            udp_socket->writeDatagram(bytes, sender, sender_port);
        };
        // One message per datagram; bytes after its FF are not a message
        // (answering them all would make the camera an amplifier).
        PacketCutter cutter;
        const QList<QByteArray> messages = cutter.feed(datagram);
        if (messages.isEmpty())
            say("udp: datagram without FF ignored: " + spaced_hex(datagram));
        else
            handle(messages.first(), "udp", send);
    }
}

void CameraServer::read_visca_ip()
{
    while (visca_ip_socket->hasPendingDatagrams()) {
        QByteArray datagram(static_cast<int>(visca_ip_socket->pendingDatagramSize()), '\0');
        QHostAddress sender;
        quint16 sender_port = 0;
        visca_ip_socket->readDatagram(datagram.data(), datagram.size(), &sender, &sender_port);
        if (!lost_on_the_way("visca-ip"))
            take_visca_ip(datagram, sender, sender_port);
    }
}

void CameraServer::take_visca_ip(const QByteArray &datagram, const QHostAddress &sender,
                                 quint16 port)
{
    namespace ip = visca_over_ip;
    const auto answer = [this, sender, port](quint16 type, quint32 sequence) {
        return [this, sender, port, type, sequence](const QByteArray &payload) {
            show_bytes("visca-ip: sent ", ip::pack(type, sequence, payload));
            visca_ip_socket->writeDatagram(ip::pack(type, sequence, payload), sender, port);
        };
    };
    show_bytes("visca-ip: heard ", datagram);
    const std::optional<ip::Message> message = ip::unpack(datagram);
    const QString shown = spaced_hex(datagram);
    if (!message) {
        say("visca-ip: abnormal message " + shown);
        answer(ip::control_reply, 0)(ip::message_error);
        return;
    }
    const QString controller = QString("%1:%2").arg(sender.toString()).arg(port);
    const Send control = answer(ip::control_reply, message->sequence);
    if (message->type == ip::control && message->payload == ip::reset_payload) {
        remember_controller(controller, 0);
        say("visca-ip: sequence number reset by " + controller);
        control(ip::reset_payload);
        return;
    }
    if (message->type != ip::command && message->type != ip::inquiry) {
        say("visca-ip: abnormal message " + shown);
        control(ip::message_error);
        return;
    }
    const auto expected = expected_sequence.constFind(controller);
    if (expected != expected_sequence.constEnd() && message->sequence < *expected) {
        say(QString("visca-ip: abnormal sequence number %1 (expected %2 or more)")
                .arg(message->sequence)
                .arg(*expected));
        control(ip::sequence_error);
        return;
    }
    remember_controller(controller, message->sequence + 1);
    // One VISCA message per datagram, as on raw UDP.
    PacketCutter cutter;
    const QList<QByteArray> visca = cutter.feed(message->payload);
    if (visca.isEmpty()) {
        say("visca-ip: payload without FF ignored: " + shown);
        return;
    }
    handle(visca.first(), "visca-ip", answer(ip::reply, message->sequence));
}

void CameraServer::remember_controller(const QString &controller, quint32 next_sequence)
{
    // Anyone can send from ever new ports: forgetting them all now and then
    // keeps the table small and only lets one old number through each.
    if (expected_sequence.size() >= most_controllers && !expected_sequence.contains(controller))
        expected_sequence.clear();
    expected_sequence[controller] = next_sequence;
}

bool CameraServer::lost_on_the_way(const QString &link)
{
    if (options.loss_percent <= 0 ||
        std::uniform_int_distribution<int>(0, 99)(loss_draw) >= options.loss_percent)
        return false;
    say(link + ": datagram lost");
    return true;
}

void CameraServer::read_pty()
{
    char buffer[512];
    ssize_t got;
    QByteArray bytes;
    while ((got = ::read(pty_master, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<int>(got));
    const Send send = [this](const QByteArray &out) {
        show_bytes("serial: sent ", out);
        if (::write(pty_master, out.constData(), static_cast<size_t>(out.size())) < 0)
            say("serial: write failed");
    };
    const auto messages = pty_cutter.feed(bytes);
    for (const QByteArray &message : messages) {
        show_bytes("serial: heard ", message);
        handle(message, "serial", send);
    }
}

QString CameraServer::cameras() const
{
    return options.chain == 1 ? QString("camera 1") : QString("cameras 1-%1").arg(options.chain);
}

void CameraServer::handle(const QByteArray &message, const QString &link, const Send &send)
{
    const int first = message.isEmpty() ? 0 : quint8(message.at(0));
    if (first == 0x88) {
        pass_broadcast(message, link, send);
        return;
    }
    // A message for a camera of the chain goes to it; any other is the
    // first camera's to drop or refuse.
    const int address = first & 0x0F;
    Unit &unit = *units.at(
        (first & 0xF0) == 0x80 && address >= 1 && address <= options.chain ? address - 1 : 0);
    answer(unit, unit.camera.handle(message, clock.elapsed()), link, send);
}

void CameraServer::pass_broadcast(const QByteArray &message, const QString &link, const Send &send)
{
    // Each camera of the chain takes the broadcast and passes on what it
    // makes of it (the next address to give, or the same bytes); the last
    // one's comes back to the controller.
    QByteArray passed = message;
    for (const std::unique_ptr<Unit> &unit : units) {
        const ViscaCamera::Answer taken = unit->camera.handle(passed, clock.elapsed());
        say(link + ": " + taken.description);
        forget_freed_completions(*unit);
        if (taken.replies.isEmpty())
            return;
        passed = taken.replies.first();
    }
    reply(passed, send);
}

void CameraServer::answer(Unit &unit, const ViscaCamera::Answer &answer, const QString &link,
                          const Send &send)
{
    // On a chain each line names the camera that acted.
    say(link + ": " +
        (options.chain > 1 ? QString("camera %1: ").arg(unit.camera.address()) : QString()) +
        answer.description);
    for (const QByteArray &bytes : answer.replies)
        reply(bytes, send);
    if (answer.completion.isEmpty())
        forget_freed_completions(unit);
    else if (answer.completion_ms <= 0)
        reply(answer.completion, send);
    else
        await_completion(unit, answer, send);
}

void CameraServer::await_completion(Unit &unit, const ViscaCamera::Answer &answer, const Send &send)
{
    Completion &completion = unit.completions.at(answer.socket - 1);
    completion.bytes = answer.completion;
    completion.ticket = answer.ticket;
    completion.send = send;
    completion.timer.start(int(qMin<qint64>(answer.completion_ms, INT_MAX)));
}

void CameraServer::forget_freed_completions(Unit &unit)
{
    for (int socket = 1; socket <= int(unit.completions.size()); ++socket) {
        Completion &completion = unit.completions.at(socket - 1);
        if (completion.timer.isActive() && !unit.camera.holds(socket, completion.ticket)) {
            completion.timer.stop();
            completion.send = nullptr;
        }
    }
}

int CameraServer::completions_waiting() const
{
    int waiting = 0;
    for (const std::unique_ptr<Unit> &unit : units)
        waiting += int(std::count_if(unit->completions.begin(), unit->completions.end(),
                                     [](const Completion &one) { return one.timer.isActive(); }));
    return waiting;
}

void CameraServer::reply(const QByteArray &bytes, const Send &send)
{
    if (options.silent)
        return;
    if (options.garbage) {
        QByteArray garbage = bytes;
        garbage.replace(char(0xFF), QByteArray());
        send(garbage);
        return;
    }
    send(bytes);
}

void CameraServer::show_bytes(const char *what, const QByteArray &bytes)
{
    if (options.show_bytes)
        say(what + spaced_hex(bytes), true);
}

void CameraServer::say(const QString &line, bool always)
{
    if (options.quiet && !always)
        return;
    static QTextStream out(stdout);
    out << QTime::currentTime().toString("hh:mm:ss.zzz") << "  " << line << Qt::endl;
}
