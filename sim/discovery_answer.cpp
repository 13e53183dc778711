#include "discovery_answer.h"

#include "visca/discovery.h"

#include <QCryptographicHash>
#include <QNetworkDatagram>
#include <QUdpSocket>

DiscoveryAnswer::DiscoveryAnswer(QString camera_name, Say say_line, QObject *parent)
    : QObject(parent), name(std::move(camera_name)), say(std::move(say_line)),
      socket(new QUdpSocket(this))
{
    connect(socket, &QUdpSocket::readyRead, this, &DiscoveryAnswer::read);
}

bool DiscoveryAnswer::listen(const QHostAddress &address, quint16 port, QString *error)
{
    // Cameras on one network all listen on this port.
    if (!socket->bind(address, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        *error = socket->errorString();
        return false;
    }
    bound = address;
    return true;
}

quint16 DiscoveryAnswer::port() const { return socket->localPort(); }

QList<QPair<QString, QString>> DiscoveryAnswer::fields(const QString &name,
                                                       const QHostAddress &address)
{
    // A locally administered MAC (02-…), the same for the same name and address.
    const QByteArray digest = QCryptographicHash::hash((name + '@' + address.toString()).toUtf8(),
                                                       QCryptographicHash::Sha1);
    QStringList mac{"02"};
    for (int i = 0; i < 5; ++i)
        mac << QString("%1").arg(quint8(digest.at(i)), 2, 16, QChar('0')).toUpper();
    return {{"MAC", mac.join('-')},    {"MODEL", "ZARVICK-SIM"},
            {"SOFTVERSION", "1.00"},   {"IPADR", address.toString()},
            {"MASK", "255.255.255.0"}, {"NAME", name},
            {"WRITE", "off"}};
}

void DiscoveryAnswer::read()
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket->receiveDatagram(2048);
        const QString sender =
            QString("%1:%2").arg(datagram.senderAddress().toString()).arg(datagram.senderPort());
        if (datagram.data() != visca::discovery_enquiry()) {
            say("discovery: ignored a datagram from " + sender);
            continue;
        }
        socket->writeDatagram(visca::discovery_reply(fields(name, bound)), datagram.senderAddress(),
                              quint16(datagram.senderPort()));
        say("discovery: answered " + sender);
    }
}
