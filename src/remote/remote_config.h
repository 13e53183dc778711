#ifndef ZARVICK_REMOTE_CONFIG_H
#define ZARVICK_REMOTE_CONFIG_H

#include <QHostAddress>
#include <QString>
#include <QStringList>

class QSettings;

// Where the outside interfaces listen, as config.ini's API group holds it:
// HttpPort and OscPort (0 or missing: off), Listen (127.0.0.1 unless
// set), Token (HTTP's bearer token), OscSenders (the addresses OSC takes
// messages from), AllowedOrigins and AllowedHosts (the web pages and host
// names HTTP takes browsers' requests from beside its own), each list
// separated by commas or spaces.
struct RemoteConfig {
    // At most this many OSC senders are read.
    static constexpr int most_senders = 64;

    int http_port = 0;
    int osc_port = 0;
    QString listen = QStringLiteral("127.0.0.1");
    QString token;
    QList<QHostAddress> osc_senders;
    QStringList allowed_origins;
    QStringList allowed_hosts;

    static RemoteConfig read(QSettings &settings);
    // Why an interface may not listen as asked, or empty when it may:
    // beyond loopback HTTP needs a token, OSC a list of senders.
    QString http_refusal() const;
    QString osc_refusal() const;
    bool loopback() const;
};

#endif
