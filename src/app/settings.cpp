#include "app/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

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

// The file as QSettings writes it, made in a scratch folder from a copy of
// the old one: keys and groups of other tools or of a newer version stay.
// QSettings would report what it found in the old file (a stray NUL byte,
// no read permission) as a failure of the save: such a file is replaced.
bool ini_text(const Settings &values, const QString &old_path, QByteArray *text, QString *reason)
{
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        *reason = scratch.errorString();
        return false;
    }
    const QString path = scratch.filePath("config.ini");
    if (QFileInfo(old_path).isFile() && QFile::copy(old_path, path)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (QSettings(path, QSettings::IniFormat).status() != QSettings::NoError)
            QFile::remove(path);
    }
    {
        QSettings settings(path, QSettings::IniFormat);
        values.write_to(settings);
        settings.sync();
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly)) {
        *reason = written.errorString();
        return false;
    }
    *text = written.readAll();
    return true;
}
} // namespace

bool Settings::load(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    language = settings.value("LANGUAGE_CONF/language").toString();
    port = stored_index(settings, "SERIAL_CONF/Port");
    port_name = settings.value("SERIAL_CONF/PortName").toString();
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

void Settings::write_to(QSettings &settings) const
{
    settings.beginGroup("LANGUAGE_CONF");
    settings.setValue("language", language);
    settings.endGroup();

    settings.beginGroup("SERIAL_CONF");
    settings.setValue("Port", QString::number(port, 10));
    settings.setValue("PortName", port_name);
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
}

bool Settings::save(const QString &path, QString *reason) const
{
    if (!regular_or_missing(path)) {
        *reason = QStringLiteral("Not a regular file");
        return false;
    }
    QByteArray text;
    if (!ini_text(*this, path, &text, reason))
        return false;
    // The old file stays whole until the new one is complete. Unbuffered:
    // QSaveFile commits a file whose buffered bytes found no room on a full
    // disk.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(text) != text.size() || !file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}
