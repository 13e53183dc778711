#ifndef ZARVICK_UDP_LINK_H
#define ZARVICK_UDP_LINK_H

#include "links/link.h"

#include <QHostAddress>
#include <QMap>
#include <QTimer>
#include <QUdpSocket>

// VISCA over UDP: one datagram per command to the camera's address and
// port, both fixed when the link opens; one log line per datagram received
// from that address and port (anyone can send to the link's port).
// Opened `numbered` (VISCA over IP, on whatever port the camera is
// reached) every datagram carries the 8-byte header, with
// a sequence number the link counts from a RESET sent when it opens; only
// replies to a number sent and not yet answered in full are taken, and
// only the VISCA bytes reach the rest of the program.
class UdpLink : public Link
{
    Q_OBJECT

public:
    explicit UdpLink(QObject *parent = nullptr);
    void open(const QHostAddress &address, quint16 port, bool numbered = false);
    bool isOpen() const override;
    bool datagrams() const override { return true; }
    bool send(const QByteArray &bytes, Lane lane = Lane::Console) override;
    qint64 last_number() const override { return over_ip ? last_sequence : -1; }
    QList<qint64> reply_numbers() const override { return numbers; }
    void read_waiting() override;

protected:
    void shut() override;

private:
    struct Outstanding {
        QByteArray visca;
        bool sent_again = false;
        // Its ACK came: a repeat of it answers nothing new.
        bool acknowledged = false;
        // The number it first went under: sent again after a reset, its
        // replies still answer that one.
        qint64 first_number = -1;
    };
    void read();
    bool write(const QByteArray &datagram);
    bool send_numbered(const QByteArray &visca, qint64 first_number = -1);
    void reset_numbering();
    // A VISCA over IP datagram from the camera: its VISCA bytes to log, if any.
    // `sequence` gets the number the reply answers.
    bool take_over_ip(const QByteArray &datagram, QByteArray *visca, qint64 *sequence);

    QUdpSocket socket;
    QHostAddress camera;
    quint16 camera_port = 0;
    bool ready = false;
    bool over_ip = false;
    quint32 next_sequence = 0;
    qint64 last_sequence = -1;
    QList<qint64> numbers;
    // VISCA over IP: the messages sent and not answered in full, by number.
    QMap<quint32, Outstanding> outstanding;
    static constexpr int most_outstanding = 256;
    QTimer more_to_read;
};

#endif
