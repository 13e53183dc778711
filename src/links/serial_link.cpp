#include "links/serial_link.h"

#include <QDebug>

SerialLink::~SerialLink() = default;

bool SerialLink::open(const SerialSettings &settings)
{
    port = std::make_unique<QSerialPort>(settings.port);
    port->setBaudRate(settings.baud_rate);
    port->setDataBits(settings.data_bits);
    port->setParity(settings.parity);
    port->setStopBits(settings.stop_bits);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite))
        return failed(port->errorString());
    connect(port.get(), &QSerialPort::readyRead, this, &SerialLink::read);
    connect(port.get(), &QSerialPort::errorOccurred, this, &SerialLink::port_failed);
    return true;
}

bool SerialLink::isOpen() const { return port && port->isOpen(); }

bool SerialLink::send(const QByteArray &bytes)
{
    if (!isOpen())
        return failed(QStringLiteral("the port is closed"));
    // Flushed at once: the buffered port would otherwise write only on the
    // next turn of the event loop, after the log line.
    if (port->write(bytes) != bytes.size() || (!bytes.isEmpty() && !port->flush()))
        return failed(port->errorString());
    return true;
}

void SerialLink::close()
{
    if (port)
        port->close();
}

void SerialLink::read()
{
    const QList<QByteArray> packets = cutter.feed(port->readAll());
    if (!packets.isEmpty())
        emit received(packets);
}

void SerialLink::port_failed(QSerialPort::SerialPortError error)
{
    // A device that went away (unplugged adapter, hung-up terminal) keeps
    // failing at full speed until the port is closed.
    if (!isOpen() || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    const QString reason = port->errorString();
    qDebug() << reason;
    port->close();
    emit lost(reason);
}
