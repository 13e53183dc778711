#include "monitor/pair.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

namespace {
QString pair_words(const char *text) { return QCoreApplication::translate("MainWindow", text); }

constexpr int idle_check_ms = 10 * 1000;

QString peer_name(const QHostAddress &address, quint16 port)
{
    const QString text = address.toString();
    return (text.contains(':') ? '[' + text + ']' : text) + ':' + QString::number(port);
}
} // namespace

namespace monitor {

Pair::Pair(int number, const PairSpec &setup, QObject *parent)
    : QObject(parent), pair_number(number), pair_spec(setup),
      exchange(setup.listen.kind, setup.target.kind)
{
    idle_check.setInterval(idle_check_ms);
    connect(&idle_check, &QTimer::timeout, this, &Pair::forget_idle);
}

Pair::~Pair() { stop(); }

bool Pair::start(QString *error)
{
    if (is_running)
        return true;
    exchange = Exchange(pair_spec.listen.kind, pair_spec.target.kind);
    clock.start();
    is_running = true;
    if (!open_listening(error) || !open_serial_camera(error)) {
        stop();
        return false;
    }
    if (pair_spec.listen.kind == Kind::serial) {
        line_controller = add_controller(pair_spec.listen.device);
        // Its way to the camera could not be made: the pair stopped.
        if (!is_running) {
            *error = pair_words("no way to the camera %1").arg(endpoint_text(pair_spec.target));
            return false;
        }
    }
    if (pair_spec.listen.kind == Kind::udp || pair_spec.listen.kind == Kind::visca_ip)
        idle_check.start();
    return true;
}

bool Pair::open_listening(QString *error)
{
    const Endpoint &listen = pair_spec.listen;
    switch (listen.kind) {
    case Kind::udp:
    case Kind::visca_ip:
        listen_datagrams = new QUdpSocket(this);
        connect(listen_datagrams, &QUdpSocket::readyRead, this, &Pair::read_listen_datagrams);
        if (listen_datagrams->bind(QHostAddress(listen.address), listen.port))
            return true;
        *error = pair_words("cannot listen on %1: %2")
                     .arg(endpoint_text(listen), listen_datagrams->errorString());
        return false;
    case Kind::tcp:
        listen_server = new QTcpServer(this);
        connect(listen_server, &QTcpServer::newConnection, this, &Pair::accept_controllers);
        if (listen_server->listen(QHostAddress(listen.address), listen.port))
            return true;
        *error = pair_words("cannot listen on %1: %2")
                     .arg(endpoint_text(listen), listen_server->errorString());
        return false;
    case Kind::serial: break;
    }
    listen_line = open_serial(listen, error);
    if (listen_line)
        connect(listen_line, &QSerialPort::readyRead, this, &Pair::read_listen_line);
    return listen_line;
}

bool Pair::open_serial_camera(QString *error)
{
    if (pair_spec.target.kind != Kind::serial)
        return true;
    camera_line = open_serial(pair_spec.target, error);
    if (camera_line)
        connect(camera_line, &QSerialPort::readyRead, this, &Pair::read_camera_line);
    return camera_line;
}

QSerialPort *Pair::open_serial(const Endpoint &endpoint, QString *error)
{
    auto *port = new QSerialPort(endpoint.device, this);
    port->setBaudRate(endpoint.baud);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        *error = pair_words("cannot open %1: %2").arg(endpoint.device, port->errorString());
        delete port;
        return nullptr;
    }
    connect(port, &QSerialPort::errorOccurred, this, [this, device = endpoint.device](auto what) {
        if (what == QSerialPort::ResourceError || what == QSerialPort::ReadError ||
            what == QSerialPort::WriteError)
            fail(pair_words("the serial line %1 failed").arg(device));
    });
    return port;
}

void Pair::stop()
{
    idle_check.stop();
    for (auto &[id, controller] : known) {
        let_go(controller->connection);
        let_go(controller->camera_datagrams);
        let_go(controller->camera_stream);
    }
    known.clear();
    let_go(listen_datagrams);
    let_go(listen_server);
    let_go(listen_line);
    let_go(camera_line);
    listen_datagrams = nullptr;
    listen_server = nullptr;
    listen_line = nullptr;
    camera_line = nullptr;
    exchange = Exchange(pair_spec.listen.kind, pair_spec.target.kind);
    camera_line_cutter = PacketCutter(stream_limit);
    refused.clear();
    is_running = false;
}

void Pair::let_go(QObject *object)
{
    // It may be the very object whose signal is being handled: it goes
    // once control is back in the event loop.
    if (!object)
        return;
    object->disconnect();
    if (auto *socket = qobject_cast<QAbstractSocket *>(object))
        socket->abort();
    else if (auto *server = qobject_cast<QTcpServer *>(object))
        server->close();
    else if (auto *port = qobject_cast<QSerialPort *>(object))
        port->close();
    object->deleteLater();
}

void Pair::fail(const QString &reason)
{
    if (!is_running)
        return;
    note(QString(), reason);
    stop();
    emit failed(reason);
}

void Pair::note(const QString &controller, const QString &text)
{
    Event event;
    event.note = text;
    emit line(line_of(event, pair_number, controller, QDateTime::currentDateTime()));
}

QString Pair::controller_name(int id) const
{
    const auto found = known.find(id);
    return found == known.end() ? QString() : found->second->name;
}

int Pair::add_controller(const QString &name)
{
    const int id = next_id++;
    auto controller = std::make_unique<Controller>();
    controller->name = name;
    controller->last_heard_ms = clock.elapsed();
    Controller &added = *controller;
    known[id] = std::move(controller);
    if (!open_camera_way(added, id)) {
        drop(id, pair_words("no way to the camera %1").arg(endpoint_text(pair_spec.target)));
        return -1;
    }
    return id;
}

void Pair::refuse(const QString &name)
{
    // Said once a sender; the list is bounded like everything else.
    if (refused.contains(name))
        return;
    if (refused.size() >= most_controllers * 4)
        refused.clear();
    refused.insert(name);
    note(name, pair_words("refused: the pair already has %1 controllers").arg(most_controllers));
}

bool Pair::open_camera_way(Controller &controller, int id)
{
    const Endpoint &target = pair_spec.target;
    if (target.kind == Kind::serial)
        return true;
    if (target.kind == Kind::tcp) {
        controller.camera_stream = new QTcpSocket(this);
        QTcpSocket *stream = controller.camera_stream;
        connect(stream, &QTcpSocket::readyRead, this, [this, id] { read_camera_stream(id); });
        connect(stream, &QTcpSocket::disconnected, this,
                [this, id] { drop(id, pair_words("the camera closed the connection")); });
        connect(stream, &QTcpSocket::errorOccurred, this, [this, id, stream] {
            drop(id, pair_words("the camera's connection failed: %1").arg(stream->errorString()));
        });
        stream->connectToHost(QHostAddress(target.address), target.port);
        // Each message goes at once, as it would straight to the camera.
        stream->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        // What a camera has not read waits here, where it is counted, rather
        // than by the megabyte in the system: a stalled camera is found
        // before it holds a minute of stale drives.
        stream->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, int(most_unwritten));
        return true;
    }
    controller.camera_datagrams = new QUdpSocket(this);
    const QHostAddress address(target.address);
    connect(controller.camera_datagrams, &QUdpSocket::readyRead, this,
            [this, id] { read_camera_datagrams(id); });
    // Bound no wider than needed: a camera on this machine is answered on
    // loopback alone.
    const bool six = address.protocol() == QAbstractSocket::IPv6Protocol;
    QHostAddress local(six ? QHostAddress::AnyIPv6 : QHostAddress::AnyIPv4);
    if (address.isLoopback())
        local = QHostAddress(six ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost);
    return controller.camera_datagrams->bind(local, 0);
}

void Pair::drop(int id, const QString &why)
{
    const auto found = known.find(id);
    if (found == known.end())
        return;
    const std::unique_ptr<Controller> gone = std::move(found->second);
    known.erase(found);
    exchange.forget(id);
    let_go(gone->connection);
    let_go(gone->camera_datagrams);
    let_go(gone->camera_stream);
    // A serial controller is the pair's one: without it the pair is done.
    if (pair_spec.listen.kind == Kind::serial)
        fail(why);
    else
        note(gone->name, why);
}

void Pair::forget_idle()
{
    const qint64 now = clock.elapsed();
    QList<int> idle;
    for (const auto &[id, controller] : known) {
        if (now - controller->last_heard_ms > idle_ms)
            idle << id;
    }
    for (const int id : idle)
        drop(id, pair_words("forgotten after %1 minutes of silence").arg(idle_ms / 60000));
}

int Pair::controller_for_datagram(const QHostAddress &address, quint16 port)
{
    for (const auto &[id, controller] : known) {
        if (controller->port == port && controller->address == address) {
            controller->last_heard_ms = clock.elapsed();
            return id;
        }
    }
    const QString name = peer_name(address, port);
    if (int(known.size()) >= most_controllers) {
        refuse(name);
        return -1;
    }
    const int id = add_controller(name);
    if (id < 0)
        return -1;
    Controller &added = *known.at(id);
    added.address = address;
    added.port = port;
    return id;
}

void Pair::read_listen_datagrams()
{
    while (listen_datagrams && listen_datagrams->hasPendingDatagrams()) {
        QByteArray datagram(int(listen_datagrams->pendingDatagramSize()), '\0');
        QHostAddress sender;
        quint16 port = 0;
        const qint64 size =
            listen_datagrams->readDatagram(datagram.data(), datagram.size(), &sender, &port);
        if (size < 0)
            continue;
        datagram.resize(int(size));
        const int id = controller_for_datagram(sender, port);
        if (id >= 0)
            from_controller(id, datagram);
    }
}

void Pair::accept_controllers()
{
    while (listen_server && listen_server->hasPendingConnections()) {
        QTcpSocket *connection = listen_server->nextPendingConnection();
        const QString name = peer_name(connection->peerAddress(), connection->peerPort());
        if (int(known.size()) >= most_controllers) {
            note(name,
                 pair_words("refused: the pair already has %1 controllers").arg(most_controllers));
            let_go(connection);
            continue;
        }
        const int id = add_controller(name);
        if (id < 0) {
            let_go(connection);
            continue;
        }
        known.at(id)->connection = connection;
        connection->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connection->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption,
                                    int(most_unwritten));
        connect(connection, &QTcpSocket::readyRead, this,
                [this, id] { read_controller_stream(id); });
        connect(connection, &QTcpSocket::disconnected, this,
                [this, id] { drop(id, pair_words("the controller closed its connection")); });
        note(name, pair_words("controller connected"));
        // What it sent before its connection was taken.
        read_controller_stream(id);
    }
}

void Pair::read_controller_stream(int id)
{
    const auto found = known.find(id);
    if (found == known.end() || !found->second->connection)
        return;
    Controller &controller = *found->second;
    const QList<QByteArray> messages = controller.cutter.feed(controller.connection->readAll());
    for (const QByteArray &message : messages) {
        if (known.find(id) == known.end())
            return;
        from_controller(id, message);
    }
}

void Pair::read_listen_line()
{
    const auto found = known.find(line_controller);
    if (!listen_line || found == known.end())
        return;
    const QList<QByteArray> messages = found->second->cutter.feed(listen_line->readAll());
    for (const QByteArray &message : messages) {
        if (!is_running)
            return;
        from_controller(line_controller, message);
    }
}

void Pair::read_camera_line()
{
    if (!camera_line)
        return;
    const QList<QByteArray> messages = camera_line_cutter.feed(camera_line->readAll());
    for (const QByteArray &message : messages) {
        if (!is_running)
            return;
        from_camera(-1, message);
    }
}

void Pair::read_camera_datagrams(int id)
{
    const QHostAddress target(pair_spec.target.address);
    for (;;) {
        const auto found = known.find(id);
        if (found == known.end())
            return;
        QUdpSocket *socket = found->second->camera_datagrams;
        if (!socket || !socket->hasPendingDatagrams())
            return;
        QByteArray datagram(int(socket->pendingDatagramSize()), '\0');
        QHostAddress sender;
        quint16 port = 0;
        const qint64 size = socket->readDatagram(datagram.data(), datagram.size(), &sender, &port);
        // Only the camera answers here: anything else that finds the
        // socket is nobody's reply.
        if (size < 0 || port != pair_spec.target.port || !sender.isEqual(target))
            continue;
        datagram.resize(int(size));
        from_camera(id, datagram);
    }
}

void Pair::read_camera_stream(int id)
{
    const auto found = known.find(id);
    if (found == known.end() || !found->second->camera_stream)
        return;
    Controller &controller = *found->second;
    const QList<QByteArray> messages =
        controller.camera_cutter.feed(controller.camera_stream->readAll());
    for (const QByteArray &message : messages) {
        if (known.find(id) == known.end())
            return;
        from_camera(id, message);
    }
}

void Pair::from_controller(int id, const QByteArray &unit)
{
    const Out out = exchange.from_controller(id, unit, clock.elapsed());
    const QString name = controller_name(id);
    for (const QByteArray &bytes : out.to_camera)
        to_camera(id, bytes);
    for (const QByteArray &bytes : out.to_controller)
        to_controller(out.controller, bytes);
    for (const Event &event : out.events)
        emit line(line_of(event, pair_number, name, QDateTime::currentDateTime(), &wording));
}

void Pair::from_camera(int id, const QByteArray &unit)
{
    const Out out = exchange.from_camera(id, unit, clock.elapsed());
    const QString name = controller_name(out.controller);
    for (const QByteArray &bytes : out.to_controller)
        to_controller(out.controller, bytes);
    for (const Event &event : out.events)
        emit line(line_of(event, pair_number, name, QDateTime::currentDateTime(), &wording));
}

void Pair::to_camera(int id, const QByteArray &bytes)
{
    if (camera_line) {
        camera_line->write(bytes);
        if (camera_line->bytesToWrite() > most_unwritten)
            fail(pair_words("the camera's serial line takes nothing more: the pair stops"));
        return;
    }
    const auto found = known.find(id);
    if (found == known.end())
        return;
    Controller &controller = *found->second;
    if (controller.camera_datagrams) {
        controller.camera_datagrams->writeDatagram(bytes, QHostAddress(pair_spec.target.address),
                                                   pair_spec.target.port);
    } else if (controller.camera_stream) {
        controller.camera_stream->write(bytes);
        if (controller.camera_stream->bytesToWrite() > most_unwritten)
            drop(id, pair_words("the camera does not read what is sent: dropped"));
    }
}

void Pair::to_controller(int id, const QByteArray &bytes)
{
    if (listen_line) {
        listen_line->write(bytes);
        if (listen_line->bytesToWrite() > most_unwritten)
            fail(pair_words("the controller's serial line takes nothing more: the pair stops"));
        return;
    }
    const auto found = known.find(id);
    if (found == known.end())
        return;
    Controller &controller = *found->second;
    if (controller.connection) {
        controller.connection->write(bytes);
        if (controller.connection->bytesToWrite() > most_unwritten)
            drop(id, pair_words("the controller does not read its replies: dropped"));
    } else if (listen_datagrams) {
        listen_datagrams->writeDatagram(bytes, controller.address, controller.port);
    }
}

} // namespace monitor
