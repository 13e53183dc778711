#ifndef ZARVICK_SIM_DISCOVERY_ANSWER_H
#define ZARVICK_SIM_DISCOVERY_ANSWER_H

#include <QHostAddress>
#include <QObject>
#include <functional>

class QUdpSocket;

// The camera's answer to the network enquiry (ENQ:network on UDP 52380):
// its name, model, address and a MAC made from them. A real camera
// broadcasts its answer; this one answers the enquirer, so that tests stay
// on loopback.
class DiscoveryAnswer : public QObject
{
    Q_OBJECT

public:
    using Say = std::function<void(const QString &line)>;
    DiscoveryAnswer(QString camera_name, Say say, QObject *parent = nullptr);
    // False, with the reason, when the port cannot be bound.
    bool listen(const QHostAddress &address, quint16 port, QString *error);
    quint16 port() const;
    // The fields of the answer, as the camera at `address` sends them.
    static QList<QPair<QString, QString>> fields(const QString &name, const QHostAddress &address);

private:
    void read();

    QString name;
    Say say;
    QHostAddress bound;
    QUdpSocket *socket;
};

#endif
