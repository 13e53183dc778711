#ifndef ZARVICK_TALLY_SOURCE_H
#define ZARVICK_TALLY_SOURCE_H

#include "tally/obs_session.h"
#include "tally/switcher_readers.h"
#include "tally/tally_source_config.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class QTcpServer;
class QTcpSocket;
class QUdpSocket;
class QWebSocket;

// The switcher's tally as it comes in: TSL UMD 3.1 or 5.0 where the
// switcher sends it (datagrams on a UDP port, or TCP connections to a
// port, a few at a time), vMix over its TCP API (connected to, subscribed,
// connected again after a loss with the links' waits), OBS Studio over
// obs-websocket 5 (the same, its scenes told as they change). Each
// message's lamps are told as they come. A TCP connection that goes, or TSL silent
// for `silent_ms` where the switcher had been sending, is a lost source:
// said, and the lamps stay as they were.
class TallySource : public QObject
{
    Q_OBJECT

public:
    enum class State { off, waiting, connected, lost, failed };
    static constexpr int silent_ms = 30000;
    // TSL senders on TCP at once; more are turned away.
    static constexpr int most_senders = 8;
    // What one TCP sender may have unread: a switcher sends little.
    static constexpr int most_unread = 64 * 1024;

    explicit TallySource(QObject *parent = nullptr);
    ~TallySource() override;
    TallySource(const TallySource &) = delete;
    TallySource &operator=(const TallySource &) = delete;

    // Listens or connects as `config` says; a source running before ends.
    void start(const TallySourceConfig &config);
    void stop();
    State state() const { return now; }
    // Why it failed or was lost, in the system's words.
    QString error() const { return reason; }
    // When the last message with a tally came; invalid before the first.
    QDateTime last_message() const { return last; }
    void set_silent_ms(int ms) { silence.setInterval(ms); }

signals:
    void lamps(const QList<switcher::Lamp> &lamps);
    // OBS's program and preview scenes (preview empty outside studio mode).
    void scenes(const QString &program, const QString &preview);
    void state_changed();

private:
    void listen_udp();
    void listen_tcp();
    void take_sender();
    void read_datagrams();
    void read_tsl_stream(QTcpSocket *sender);
    void connect_again();
    void connect_vmix();
    void read_vmix();
    void connect_obs();
    void read_obs(const QString &text);
    void gone(const QString &why);
    void heard(const QList<switcher::Lamp> &found);
    void set_state(State state, const QString &why = QString());
    QList<switcher::Lamp> read_tsl_datagram(const QByteArray &datagram) const;

    TallySourceConfig config;
    State now = State::off;
    QString reason;
    QDateTime last;
    std::unique_ptr<QUdpSocket> udp;
    std::unique_ptr<QTcpServer> server;
    std::unique_ptr<QTcpSocket> vmix;
    switcher::VmixReader vmix_reader;
    std::unique_ptr<QWebSocket> obs;
    ObsSession obs_session;
    // A connection lost is made again after the links' waits.
    int failures = 0;
    QTimer again;
    // Each TSL sender's reader, by its connection.
    struct Sender {
        QPointer<QTcpSocket> socket;
        std::shared_ptr<switcher::Tsl31Reader> tsl31;
        std::shared_ptr<switcher::Tsl5StreamReader> tsl5;
    };
    QList<Sender> senders;
    QTimer silence;
};

#endif
