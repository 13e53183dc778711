#include "remote/interfaces.h"

#include "remote/http_api.h"
#include "remote/osc_api.h"
#include "remote/remote_config.h"

#include <QCoreApplication>

Interfaces::Interfaces(RemoteCommands &remote, QObject *parent) : QObject(parent), commands(remote)
{
}

Interfaces::~Interfaces() = default;

bool Interfaces::start(const RemoteConfig &config, QString *reason)
{
    QString why;
    const bool http_listens = config.http_port == 0 || http || start_http(config, &why);
    const bool osc_listens = config.osc_port == 0 || osc || start_osc(config, &why);
    if (reason)
        *reason = why;
    return http_listens && osc_listens;
}

bool Interfaces::start_http(const RemoteConfig &config, QString *why)
{
    QString reason = config.http_refusal();
    http = std::make_unique<HttpApi>(commands);
    connect(http.get(), &HttpApi::followed, this, &Interfaces::followed);
    connect(http.get(), &HttpApi::refused, this, &Interfaces::note);
    http->allow(config.allowed_origins, config.allowed_hosts);
    const bool listens =
        reason.isEmpty() && http->listen(config.listen, config.http_port, config.token, &reason);
    if (!told(listens,
              QCoreApplication::translate("MainWindow", "HTTP interface on %1 port %2")
                  .arg(config.listen)
                  .arg(config.http_port),
              reason))
        http.reset();
    *why = reason;
    return http != nullptr;
}

bool Interfaces::start_osc(const RemoteConfig &config, QString *why)
{
    QString reason = config.osc_refusal();
    osc = std::make_unique<OscApi>(commands);
    // Beyond loopback, only the senders named, each message with the token.
    const QList<QHostAddress> senders =
        config.loopback() ? QList<QHostAddress>() : config.osc_senders;
    if (!config.loopback())
        osc->set_token(config.token);
    const bool listens = reason.isEmpty() && osc->listen(QHostAddress(config.listen),
                                                         config.osc_port, senders, &reason);
    if (!told(listens,
              QCoreApplication::translate("MainWindow", "OSC interface on %1 port %2")
                  .arg(config.listen)
                  .arg(config.osc_port),
              reason))
        osc.reset();
    if (!osc)
        *why = reason;
    return osc != nullptr;
}

bool Interfaces::told(bool listens, const QString &where, const QString &reason)
{
    if (listens) {
        emit note(where);
        return true;
    }
    // Also on the terminal: whoever started the program asked for it.
    qWarning("zarvick: %s", qPrintable(reason));
    emit refused(reason);
    return false;
}
