#include "remote/remote_config.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSettings>

namespace {
// A list written by QSettings, or one text by hand; bounded.
QStringList words_of(const QVariant &value)
{
    return value.toStringList()
        .join(' ')
        .split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts)
        .mid(0, RemoteConfig::most_senders);
}

int port_value(const QVariant &value)
{
    bool ok = false;
    const int port = value.toString().trimmed().toInt(&ok, 10);
    return ok && port >= 1 && port <= 65535 ? port : 0;
}
} // namespace

RemoteConfig RemoteConfig::read(QSettings &settings)
{
    RemoteConfig config;
    config.http_port = port_value(settings.value("API/HttpPort"));
    config.osc_port = port_value(settings.value("API/OscPort"));
    const QString listen = settings.value("API/Listen").toString().trimmed();
    if (!listen.isEmpty())
        config.listen = listen;
    config.token = settings.value("API/Token").toString().trimmed();
    for (const QString &sender : words_of(settings.value("API/OscSenders"))) {
        const QHostAddress address(sender);
        if (!address.isNull())
            config.osc_senders << address;
    }
    config.allowed_origins = words_of(settings.value("API/AllowedOrigins"));
    config.allowed_hosts = words_of(settings.value("API/AllowedHosts"));
    return config;
}

bool RemoteConfig::loopback() const { return QHostAddress(listen).isLoopback(); }

QString RemoteConfig::http_refusal() const
{
    if (QHostAddress(listen).isNull())
        return QCoreApplication::translate("MainWindow", "API/Listen is no IP address: %1")
            .arg(listen.left(60));
    if (!loopback() && token.isEmpty())
        return QCoreApplication::translate("MainWindow",
                                           "HTTP listens beyond 127.0.0.1 only with API/Token set");
    return {};
}

QString RemoteConfig::osc_refusal() const
{
    if (QHostAddress(listen).isNull())
        return QCoreApplication::translate("MainWindow", "API/Listen is no IP address: %1")
            .arg(listen.left(60));
    if (!loopback() && (token.isEmpty() || osc_senders.isEmpty()))
        return QCoreApplication::translate(
            "MainWindow",
            "OSC listens beyond 127.0.0.1 only with API/Token and API/OscSenders set");
    return {};
}
