#include "links/serial_link.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <unistd.h>

SerialLink::~SerialLink() = default;

void SerialLink::Later::operator()(QSerialPort *gone) const
{
    gone->disconnect();
    gone->close();
    gone->deleteLater();
}

namespace {
const char by_id_folder[] = "/dev/serial/by-id";

// The adapter's name under /dev/serial/by-id (made from its maker, model
// and serial number), or none.
QString stable_name_of(const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return QString();
    const QDir folder(QString::fromLatin1(by_id_folder));
    for (const QFileInfo &entry : folder.entryInfoList(QDir::System | QDir::Files)) {
        if (entry.canonicalFilePath() == target)
            return entry.absoluteFilePath();
    }
    return QString();
}
} // namespace

bool SerialLink::open(const SerialSettings &settings)
{
    last = settings;
    if (!open_port(settings, settings.port))
        return false;
    stable_name =
        stable_name_of(settings.port.startsWith('/') ? settings.port : "/dev/" + settings.port);
    emit opened();
    return true;
}

bool SerialLink::reopen()
{
    const QString device =
        !stable_name.isEmpty() && QFileInfo::exists(stable_name) ? stable_name : last.port;
    if (!open_port(last, device))
        return false;
    emit opened();
    return true;
}

bool SerialLink::open_port(const SerialSettings &settings, const QString &device)
{
    writable.reset();
    port.reset(new QSerialPort(device));
    port->setBaudRate(settings.baud_rate);
    port->setDataBits(settings.data_bits);
    port->setParity(settings.parity);
    port->setStopBits(settings.stop_bits);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite))
        return failed(port->errorString());
    connect(port.get(), &QSerialPort::readyRead, this, &SerialLink::read);
    connect(port.get(), &QSerialPort::errorOccurred, this, &SerialLink::port_failed);
    writable = std::make_unique<QSocketNotifier>(port->handle(), QSocketNotifier::Write);
    writable->setEnabled(false);
    connect(writable.get(), &QSocketNotifier::activated, this, &SerialLink::pump);
    more_to_read.setSingleShot(true);
    more_to_read.setInterval(0);
    connect(&more_to_read, &QTimer::timeout, this, &SerialLink::read, Qt::UniqueConnection);
    queue.clear();
    return true;
}

bool SerialLink::isOpen() const { return port && port->isOpen(); }

bool SerialLink::send(const QByteArray &bytes, Lane lane)
{
    if (!isOpen())
        return failed(QStringLiteral("the port is closed"));
    if (!queue.take(bytes, lane))
        return refuse_backlogged();
    pump();
    // A write that found the device gone lost the link on the spot: what
    // was handed over never reached the camera, and no log may say it did.
    return isOpen() || failed(QStringLiteral("the device was removed"));
}

void SerialLink::pump()
{
    const int descriptor = port->handle();
    int error = 0;
    const bool written = queue.flush([descriptor, &error](const QByteArray &bytes) -> qint64 {
        const ssize_t taken = ::write(descriptor, bytes.constData(), size_t(bytes.size()));
        if (taken >= 0)
            return taken;
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return 0; // back-pressure: the rest when the line has room
        error = errno;
        return -1;
    });
    if (!written) {
        give_up(QString::fromLocal8Bit(std::strerror(error)));
        return;
    }
    writable->setEnabled(queue.size() > 0);
    note_unsent();
}

void SerialLink::shut()
{
    more_to_read.stop();
    if (writable)
        writable->setEnabled(false);
    // A stop sent last still leaves, with what waits before it: the port
    // waits for the line before it closes.
    if (isOpen())
        queue.flush([this](const QByteArray &bytes) {
            return qint64(::write(port->handle(), bytes.constData(), size_t(bytes.size())));
        });
    queue.clear();
    if (port)
        port->close();
}

void SerialLink::read()
{
    if (!isOpen())
        return;
    const QList<QByteArray> packets = cutter.feed(port->read(read_slice));
    if (port->bytesAvailable() > 0)
        more_to_read.start();
    if (!packets.isEmpty())
        emit received(packets);
}

void SerialLink::port_failed(QSerialPort::SerialPortError error)
{
    // A device that went away (unplugged adapter, hung-up terminal) keeps
    // failing at full speed until the port is closed.
    if (!isOpen() || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    give_up(port->errorString());
}

void SerialLink::give_up(const QString &reason)
{
    qDebug() << reason;
    more_to_read.stop();
    writable->setEnabled(false);
    queue.clear();
    port->close();
    emit lost(reason);
}
