#include "camera_peer.h"
#include "visca/command_text.h"

#include "app/mainwindow.h"

#include <QElapsedTimer>
#include <QTest>

void CameraPeer::attach(MainWindow &window)
{
    attach_link(window, link, pty.path(), tcp.port(), udp.port());
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
    // Cut as the camera would: the program's own cutter.
    while (found.size() < count && clock.elapsed() <= timeout_ms) {
        const int left = int(timeout_ms - clock.elapsed());
        const QByteArray byte = link == "serial" ? pty.read(1, left) : tcp.read(1, left);
        if (byte.isEmpty())
            break;
        for (const QByteArray &packet : cutter.feed(byte))
            found << spaced_hex(packet);
    }
    if (cutter.pending_size() > 0 && found.size() < count)
        found << QString("(%1 unterminated bytes)").arg(cutter.pending_size());
    return found;
}

QStringList CameraPeer::commands_exactly(int count)
{
    QStringList found = commands(count, 5000);
    if (found.size() == count)
        found << commands(1, nothing_more_ms);
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
