#ifndef ZARVICK_OSC_API_H
#define ZARVICK_OSC_API_H

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

class RemoteCommands;

// The OSC interface: datagrams on a UDP port, read from the event loop and
// unpacked by liblo; each message does what the same HTTP request does
// (/zarvick/camera/n/… or /zarvick/active/…). OSC has no answers: a
// message that does not read, or from a sender not allowed, does nothing.
class OscApi : public QObject
{
    Q_OBJECT

public:
    // Datagrams read at one turn of the event loop, so that a flood does
    // not keep the window from its own work.
    static constexpr int most_per_turn = 64;

    explicit OscApi(RemoteCommands &commands, QObject *parent = nullptr);
    // `senders` empty: any sender (a loopback listener hears only this
    // machine); false, with the reason, when the port cannot be had.
    bool listen(const QHostAddress &address, int port, const QList<QHostAddress> &senders,
                QString *reason);
    // Beyond loopback: every message ends with the token as a string
    // argument, and one without it does nothing.
    void set_token(const QString &secret) { token = secret; }
    // The messages taken and refused so far.
    int taken() const { return taken_count; }
    int refused() const { return refused_count; }

private:
    void read();
    void take(const QByteArray &datagram, const QHostAddress &sender);

    RemoteCommands &commands;
    QUdpSocket socket;
    QTimer later;
    QList<QHostAddress> allowed;
    QString token;
    int taken_count = 0;
    int refused_count = 0;
};

#endif
