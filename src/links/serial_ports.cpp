#include "links/serial_ports.h"
#include "links/port_order.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

QStringList system_port_names()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        names << port.portName();
    // Virtual serial ports (socat, camera simulators, serial-over-network
    // bridges) appear as /dev/tty* links to a pseudo-terminal, which the
    // system's list leaves out.
    const QDir dev("/dev");
    const auto entries = dev.entryInfoList({"tty*"}, QDir::System | QDir::Files);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() && entry.symLinkTarget().startsWith("/dev/pts/") &&
            !names.contains(entry.fileName()))
            names << entry.fileName();
    }
    std::sort(names.begin(), names.end(), natural_less);
    return names;
}
