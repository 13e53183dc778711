#include "tally/tally_source.h"

#include "control/reconnect.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QWebSocket>

namespace {
// The window's words for what became of the source.
QString said(const char *text) { return QCoreApplication::translate("MainWindow", text); }
} // namespace

TallySource::TallySource(QObject *parent) : QObject(parent)
{
    again.setSingleShot(true);
    again.callOnTimeout(this, &TallySource::connect_again);
    silence.setSingleShot(true);
    silence.setInterval(silent_ms);
    silence.callOnTimeout(this, [this] {
        if (now == State::connected)
            set_state(State::lost, said("no message for %1 s").arg(silence.interval() / 1000));
    });
}

TallySource::~TallySource()
{
    // Whoever listens may be gone already: nothing is told from here on.
    blockSignals(true);
    stop();
}

void TallySource::start(const TallySourceConfig &chosen)
{
    stop();
    config = chosen;
    switch (config.kind) {
    case TallySourceConfig::Kind::none: return;
    case TallySourceConfig::Kind::tsl31:
    case TallySourceConfig::Kind::tsl5:
        // TSL has no port of its own: the switcher's is set.
        if (config.port_to_use() == 0)
            set_state(State::failed, said("no port is set"));
        else
            config.tcp ? listen_tcp() : listen_udp();
        return;
    case TallySourceConfig::Kind::vmix:
    case TallySourceConfig::Kind::obs: connect_again(); return;
    }
}

void TallySource::connect_again()
{
    if (config.kind == TallySourceConfig::Kind::vmix)
        connect_vmix();
    else if (config.kind == TallySourceConfig::Kind::obs)
        connect_obs();
}

void TallySource::stop()
{
    again.stop();
    silence.stop();
    failures = 0;
    // Their signals end with them: nothing reads after this.
    if (vmix)
        vmix->disconnect(this);
    vmix.reset();
    if (obs)
        obs->disconnect(this);
    obs.reset();
    udp.reset();
    for (const Sender &sender : qAsConst(senders)) {
        if (sender.socket) {
            sender.socket->disconnect(this);
            sender.socket->deleteLater();
        }
    }
    senders.clear();
    server.reset();
    last = QDateTime();
    set_state(State::off);
}

void TallySource::set_state(State state, const QString &why)
{
    if (state == now && why == reason)
        return;
    now = state;
    reason = why;
    emit state_changed();
}

void TallySource::heard(const QList<switcher::Lamp> &found)
{
    last = QDateTime::currentDateTime();
    silence.start();
    set_state(State::connected);
    if (!found.isEmpty())
        emit lamps(found);
}

void TallySource::listen_udp()
{
    udp = std::make_unique<QUdpSocket>();
    if (!udp->bind(QHostAddress(config.listen), quint16(config.port_to_use()))) {
        set_state(State::failed, udp->errorString());
        return;
    }
    connect(udp.get(), &QUdpSocket::readyRead, this, &TallySource::read_datagrams);
    set_state(State::waiting);
}

QList<switcher::Lamp> TallySource::read_tsl_datagram(const QByteArray &datagram) const
{
    // A datagram is whole: nothing of it waits for the next.
    if (config.kind == TallySourceConfig::Kind::tsl5)
        return switcher::read_tsl5_packet(datagram);
    return switcher::Tsl31Reader(config.program_tally, config.preview_tally).feed(datagram);
}

void TallySource::read_datagrams()
{
    QList<switcher::Lamp> found;
    while (udp && udp->hasPendingDatagrams())
        found += read_tsl_datagram(udp->receiveDatagram().data());
    if (!found.isEmpty())
        heard(found);
}

void TallySource::listen_tcp()
{
    server = std::make_unique<QTcpServer>();
    if (!server->listen(QHostAddress(config.listen), quint16(config.port_to_use()))) {
        set_state(State::failed, server->errorString());
        return;
    }
    connect(server.get(), &QTcpServer::newConnection, this, &TallySource::take_sender);
    set_state(State::waiting);
}

void TallySource::take_sender()
{
    while (server && server->hasPendingConnections()) {
        QTcpSocket *socket = server->nextPendingConnection();
        senders.erase(std::remove_if(senders.begin(), senders.end(),
                                     [](const Sender &sender) { return !sender.socket; }),
                      senders.end());
        if (senders.size() >= most_senders) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setReadBufferSize(most_unread);
        senders << Sender{
            socket,
            std::make_shared<switcher::Tsl31Reader>(config.program_tally, config.preview_tally),
            std::make_shared<switcher::Tsl5StreamReader>()};
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read_tsl_stream(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            socket->deleteLater();
            // The last sender gone: the switcher is lost until it comes back.
            const bool others =
                std::any_of(senders.begin(), senders.end(), [socket](const Sender &sender) {
                    return sender.socket && sender.socket != socket &&
                           sender.socket->state() == QAbstractSocket::ConnectedState;
                });
            if (!others && now == State::connected)
                set_state(State::lost, said("the switcher closed the connection"));
        });
    }
}

void TallySource::read_tsl_stream(QTcpSocket *socket)
{
    for (const Sender &sender : qAsConst(senders)) {
        if (sender.socket != socket)
            continue;
        const QByteArray bytes = socket->readAll();
        QList<switcher::Lamp> found;
        if (config.kind == TallySourceConfig::Kind::tsl5) {
            for (const QByteArray &packet : sender.tsl5->feed(bytes))
                found += switcher::read_tsl5_packet(packet);
        } else {
            found = sender.tsl31->feed(bytes);
        }
        if (!found.isEmpty())
            heard(found);
        return;
    }
}

void TallySource::connect_vmix()
{
    vmix = std::make_unique<QTcpSocket>();
    vmix_reader = switcher::VmixReader();
    vmix->setReadBufferSize(most_unread);
    connect(vmix.get(), &QTcpSocket::connected, this, [this] {
        failures = 0;
        vmix->write("SUBSCRIBE TALLY\r\n");
        set_state(State::connected);
    });
    connect(vmix.get(), &QTcpSocket::readyRead, this, &TallySource::read_vmix);
    connect(vmix.get(), &QTcpSocket::disconnected, this,
            [this] { gone(said("vMix closed the connection")); });
    connect(vmix.get(), &QAbstractSocket::errorOccurred, this,
            [this] { gone(vmix->errorString()); });
    if (now != State::lost)
        set_state(State::waiting);
    vmix->connectToHost(config.host, quint16(config.port_to_use()));
}

void TallySource::read_vmix()
{
    if (const std::optional<QList<switcher::Lamp>> found = vmix_reader.feed(vmix->readAll()))
        heard(*found);
}

void TallySource::connect_obs()
{
    obs = std::make_unique<QWebSocket>();
    obs_session = ObsSession(config.password);
    obs->setMaxAllowedIncomingMessageSize(ObsSession::longest_message);
    obs->setMaxAllowedIncomingFrameSize(ObsSession::longest_message);
    connect(obs.get(), &QWebSocket::textMessageReceived, this, &TallySource::read_obs);
    connect(obs.get(), &QWebSocket::disconnected, this, [this] {
        gone(obs->closeReason().isEmpty() ? said("OBS closed the connection")
                                          : obs->closeReason().left(200));
    });
    if (now != State::lost)
        set_state(State::waiting);
    QUrl url;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(config.host);
    url.setPort(config.port_to_use());
    obs->open(url);
}

void TallySource::read_obs(const QString &text)
{
    const ObsSession::Outcome outcome = obs_session.take(text.toUtf8());
    for (const QByteArray &message : outcome.send)
        obs->sendTextMessage(QString::fromUtf8(message));
    if (outcome.identified) {
        failures = 0;
        set_state(State::connected);
    }
    if (outcome.scenes_changed) {
        last = QDateTime::currentDateTime();
        emit scenes(obs_session.program(), obs_session.preview());
        emit state_changed();
    }
}

void TallySource::gone(const QString &why)
{
    if (again.isActive())
        return;
    // Not destroyed here: the socket is in the middle of telling this.
    if (vmix) {
        vmix->disconnect(this);
        vmix.release()->deleteLater();
    }
    if (obs) {
        obs->disconnect(this);
        obs.release()->deleteLater();
    }
    set_state(State::lost, why);
    again.start(Reconnect::wait_ms(failures++));
}
