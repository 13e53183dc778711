#ifndef ZARVICK_INTERFACES_H
#define ZARVICK_INTERFACES_H

#include <QObject>
#include <memory>

class HttpApi;
class OscApi;
class RemoteCommands;
struct RemoteConfig;

// The outside interfaces as the settings ask for them: each started once,
// or the reason it is not. They report to the remote commands only.
class Interfaces : public QObject
{
    Q_OBJECT

public:
    explicit Interfaces(RemoteCommands &commands, QObject *parent = nullptr);
    ~Interfaces() override;
    // Those not started yet, where `config` gives them a port. False, with
    // the reason, when one of them does not listen.
    bool start(const RemoteConfig &config, QString *reason = nullptr);

signals:
    // What the log shows: an interface listening, a request refused.
    void note(const QString &text);
    // Why an interface does not listen (the token never shows).
    void refused(const QString &why);
    // Whether any client follows the event stream.
    void followed(bool any);

private:
    bool start_http(const RemoteConfig &config, QString *reason);
    bool start_osc(const RemoteConfig &config, QString *reason);
    // The log says where an interface listens, or why it does not.
    bool told(bool listens, const QString &where, const QString &reason);

    RemoteCommands &commands;
    std::unique_ptr<HttpApi> http;
    std::unique_ptr<OscApi> osc;
};

#endif
