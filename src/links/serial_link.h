#ifndef ZARVICK_SERIAL_LINK_H
#define ZARVICK_SERIAL_LINK_H

#include "links/link.h"
#include "links/serial_settings.h"
#include "links/stream_queue.h"
#include "visca/packet_cutter.h"

#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>

// VISCA over a serial line: one QSerialPort, event driven. Replies are cut
// into packets at FF. The link writes the port's descriptor itself: a full
// transmit buffer (a slow line) only delays what waits in the lanes, while
// QSerialPort would take it for a vanished device.
class SerialLink : public Link
{
    Q_OBJECT

public:
    using Link::Link;
    ~SerialLink() override;
    bool open(const SerialSettings &settings);
    // Opens the last port opened again, with its settings: the adapter is
    // looked for by its stable name under /dev/serial/by-id first, where it
    // had one, since it may come back under another device name.
    bool reopen();
    bool isOpen() const override;
    bool send(const QByteArray &bytes, Lane lane = Lane::Console) override;
    qint64 unsent() const override { return queue.size(); }

protected:
    void shut() override;

private:
    void read();
    void pump();
    void port_failed(QSerialPort::SerialPortError error);
    void give_up(const QString &reason);

    bool open_port(const SerialSettings &settings, const QString &device);

    // A port is let go with deleteLater(), never deleted at once: its
    // error signal may still be on the stack when the line is reopened.
    struct Later {
        void operator()(QSerialPort *gone) const;
    };
    std::unique_ptr<QSerialPort, Later> port;
    SerialSettings last;
    QString stable_name;
    std::unique_ptr<QSocketNotifier> writable;
    StreamQueue queue;
    QTimer more_to_read;
    PacketCutter cutter;
};

#endif
