#include "app/settings.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace {
// Stored indexes count only by their low eight bits, read as a signed value.
int stored_index(const QSettings &settings, const char *key)
{
    return static_cast<qint8>(settings.value(key).toInt());
}

bool regular_or_missing(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

// QSettings says only that a write failed; writing a scratch copy through
// the same kind of file tells why (no room, no permission, …).
QString why_unwritable(const QString &path)
{
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    QString reason;
    if (probe.write(QByteArray(64 * 1024, '\n')) < 0 || !probe.flush())
        reason = probe.errorString();
    probe.cancelWriting();
    return reason.isEmpty() ? QStringLiteral("Write error") : reason;
}
} // namespace

bool Settings::load(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    language = settings.value("LANGUAGE_CONF/language").toString();
    port = stored_index(settings, "SERIAL_CONF/Port");
    baud_rate = stored_index(settings, "SERIAL_CONF/BaudRate");
    data_bits = stored_index(settings, "SERIAL_CONF/DataBits");
    parity = stored_index(settings, "SERIAL_CONF/Parity");
    stop_bits = stored_index(settings, "SERIAL_CONF/StopBits");
    pan_speed = stored_index(settings, "PTZ_CONF/PanSpeed");
    tilt_speed = stored_index(settings, "PTZ_CONF/TiltSpeed");
    zoom_speed = stored_index(settings, "PTZ_CONF/ZoomSpeed");
    focus_speed = stored_index(settings, "PTZ_CONF/FocusSpeed");
    protocol = settings.value("NET_CONF/Protocol").toString();
    address = settings.value("NET_CONF/Address").toString();
    net_port = settings.value("NET_CONF/Port").toString();
    return true;
}

bool Settings::save(const QString &path, QString *reason) const
{
    if (!regular_or_missing(path)) {
        *reason = QStringLiteral("Not a regular file");
        return false;
    }
    {
        // Clearing the keys (rather than deleting the file) keeps stale keys
        // out of the new file and the old one whole if the write fails.
        QSettings settings(path, QSettings::IniFormat);
        settings.clear();

        settings.beginGroup("LANGUAGE_CONF");
        settings.setValue("language", language);
        settings.endGroup();

        settings.beginGroup("SERIAL_CONF");
        settings.setValue("Port", QString::number(port, 10));
        settings.setValue("BaudRate", QString::number(baud_rate, 10));
        settings.setValue("DataBits", QString::number(data_bits, 10));
        settings.setValue("Parity", QString::number(parity, 10));
        settings.setValue("StopBits", QString::number(stop_bits, 10));
        settings.endGroup();

        settings.beginGroup("PTZ_CONF");
        settings.setValue("PanSpeed", QString::number(pan_speed, 10));
        settings.setValue("TiltSpeed", QString::number(tilt_speed, 10));
        settings.setValue("ZoomSpeed", QString::number(zoom_speed, 10));
        settings.setValue("FocusSpeed", QString::number(focus_speed, 10));
        settings.endGroup();

        settings.beginGroup("NET_CONF");
        if (!protocol.isEmpty())
            settings.setValue("Protocol", protocol);
        settings.setValue("Address", address);
        settings.setValue("Port", net_port);
        settings.endGroup();

        settings.sync();
        if (settings.status() == QSettings::NoError)
            return true;
    }
    *reason = why_unwritable(path);
    return false;
}
