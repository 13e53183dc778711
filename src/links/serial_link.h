#ifndef ZARVICK_SERIAL_LINK_H
#define ZARVICK_SERIAL_LINK_H

#include "links/link.h"
#include "links/serial_settings.h"
#include "visca/packet_cutter.h"

#include <QSerialPort>
#include <memory>

// VISCA over a serial line: one QSerialPort, event driven. Replies are cut
// into packets at FF.
class SerialLink : public Link
{
    Q_OBJECT

public:
    using Link::Link;
    ~SerialLink() override;
    bool open(const SerialSettings &settings);
    bool isOpen() const override;
    bool send(const QByteArray &bytes) override;
    void close() override;

private:
    void read();
    void port_failed(QSerialPort::SerialPortError error);

    std::unique_ptr<QSerialPort> port;
    PacketCutter cutter;
};

#endif
