#ifndef ZARVICK_ENQUIRY_SOCKET_H
#define ZARVICK_ENQUIRY_SOCKET_H

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <memory>

class QUdpSocket;

// The UDP socket of a network search: open for one search, it sends to any
// address and hands on every datagram that comes, with the port it came
// from. A flood is read a slice a turn, so the window's frames come between.
class EnquirySocket : public QObject
{
    Q_OBJECT

public:
    explicit EnquirySocket(QObject *parent = nullptr);
    ~EnquirySocket() override;
    // On `shared_port` where other programs may hold it too; when that
    // cannot be had (or none is given, 0), on a port of the system's.
    // False, with the reason, when no port could be had.
    bool open(quint16 shared_port, QString *error);
    bool send(const QByteArray &datagram, const QHostAddress &address, quint16 port);
    void close();
    QString errorText() const;

signals:
    void received(const QByteArray &datagram, quint16 from_port);

private:
    void read();

    std::unique_ptr<QUdpSocket> socket;
    QTimer more_to_read;
};

#endif
