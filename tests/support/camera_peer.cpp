#include "camera_peer.h"

#include "app/mainwindow.h"

#include <QElapsedTimer>
#include <QRadioButton>
#include <QTest>

namespace {
QString spaced_hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}
} // namespace

void CameraPeer::attach(MainWindow &window)
{
    const bool serial = link == "serial";
    QTest::mouseClick(control<QRadioButton>(&window, serial ? "radioButton_9" : "radioButton_10"),
                      Qt::LeftButton);
    QTest::mouseClick(control<QRadioButton>(&window, serial ? "radioButton_11" : "radioButton_12"),
                      Qt::LeftButton);
    if (serial)
        open_serial(window, pty.path());
    else if (link == "tcp")
        connect_net(window, true, tcp.port());
    else
        connect_net(window, false, udp.port());
}

QStringList CameraPeer::commands(int count, int timeout_ms)
{
    QStringList found;
    if (link == "udp") {
        for (const QByteArray &datagram : udp.read(count, timeout_ms))
            found << spaced_hex(datagram);
        return found;
    }
    QElapsedTimer clock;
    clock.start();
    QByteArray packet;
    while (found.size() < count && clock.elapsed() <= timeout_ms) {
        const int left = int(timeout_ms - clock.elapsed());
        const QByteArray byte = link == "serial" ? pty.read(1, left) : tcp.read(1, left);
        if (byte.isEmpty())
            break;
        packet += byte;
        if (byte[0] == char(0xFF)) {
            found << spaced_hex(packet);
            packet.clear();
        }
    }
    if (!packet.isEmpty())
        found << spaced_hex(packet) + " (unterminated)";
    return found;
}

void CameraPeer::reply(const QByteArray &bytes)
{
    if (link == "serial")
        pty.write(bytes);
    else if (link == "tcp")
        tcp.write(bytes);
    else
        udp.reply(bytes);
}
