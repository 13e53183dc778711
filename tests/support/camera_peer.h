#ifndef ZARVICK_CAMERA_PEER_H
#define ZARVICK_CAMERA_PEER_H

#include "testsupport.h"
#include "visca/packet_cutter.h"

// A camera at the far end of whichever link a test row names ("serial",
// "tcp" or "udp"), reading what arrives as VISCA commands.
class CameraPeer
{
public:
    explicit CameraPeer(const QString &kind) : link(kind) {}
    // Opens the link through the window's panels and points the PTZ and
    // Manual Mode buttons at it.
    void attach(MainWindow &window);
    // The next `count` commands as "81 01 06 04 FF" texts: cut at FF on a
    // byte stream, one per datagram on UDP.
    QStringList commands(int count, int timeout_ms = 2000);
    // The `count` commands due, waited for as long as a busy machine needs,
    // then whatever else arrives within a short look.
    QStringList commands_exactly(int count);
    void reply(const QByteArray &bytes);

    const QString link;
    PtyPeer pty;
    TcpPeer tcp;
    UdpPeer udp;

private:
    PacketCutter cutter;
};

#endif
