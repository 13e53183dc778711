#include "control/link_probe.h"

#include "links/tcp_link.h"
#include "links/udp_link.h"
#include "visca/camera_commands.h"
#include "visca/commands.h"
#include "visca/packet_cutter.h"

#include <array>

namespace {
// VISCA over IP first: the cameras that answer the network enquiry speak it.
const std::array<CameraSettings::LinkKind, 3> kinds = {CameraSettings::LinkKind::ViscaOverIp,
                                                       CameraSettings::LinkKind::Tcp,
                                                       CameraSettings::LinkKind::Udp};

quint16 usual_port(CameraSettings::LinkKind kind)
{
    switch (kind) {
    case CameraSettings::LinkKind::ViscaOverIp: return visca::visca_over_ip_port;
    case CameraSettings::LinkKind::Tcp: return visca::tcp_port;
    case CameraSettings::LinkKind::Serial:
    case CameraSettings::LinkKind::Udp: break;
    }
    return visca::udp_port;
}
} // namespace

LinkProbe::LinkProbe(QObject *parent) : QObject(parent)
{
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, &LinkProbe::give_up_step);
}

LinkProbe::~LinkProbe() = default;

void LinkProbe::probe(const QHostAddress &address, quint16 port)
{
    asked = address;
    asked_port = port;
    step = 0;
    try_step();
}

void LinkProbe::try_step()
{
    const CameraSettings::LinkKind kind = kinds.at(size_t(step));
    const quint16 port = asked_port != 0 ? asked_port : usual_port(kind);
    const QByteArray inquiry = visca::version_inquiry(1);
    // Its own time each step: a refused connection ended the last one with
    // a wait of 0, which must not become the next step's.
    limit.start(step_limit_ms);
    if (kind == CameraSettings::LinkKind::Tcp) {
        auto *tcp = new TcpLink();
        link.reset(tcp);
        connect(tcp, &TcpLink::opened, this, [tcp, inquiry] { tcp->send(inquiry); });
        // Refused: the next way at once, not after the limit.
        connect(tcp, &TcpLink::open_failed, this, [this] { limit.start(0); });
        tcp->open(asked, port, step_limit_ms);
    } else {
        auto *udp = new UdpLink();
        link.reset(udp);
        udp->open(asked, port, kind == CameraSettings::LinkKind::ViscaOverIp);
        udp->send(inquiry);
    }
    connect(link.get(), &Link::received, this, &LinkProbe::take);
}

void LinkProbe::take(const QList<QByteArray> &replies)
{
    PacketCutter cutter;
    for (const QByteArray &bytes : replies) {
        const auto messages = cutter.feed(bytes);
        for (const QByteArray &message : messages) {
            const std::optional<visca::Version> version = visca::read_version(message);
            if (!version)
                continue;
            const CameraSettings::LinkKind kind = kinds.at(size_t(step));
            const quint16 port = asked_port != 0 ? asked_port : usual_port(kind);
            limit.stop();
            step = -1;
            // The link goes once this signal is over.
            link.release()->deleteLater();
            emit answered(asked, {kind, port, *version});
            return;
        }
    }
}

void LinkProbe::give_up_step()
{
    // Nothing of a step given up reaches a later one.
    if (link) {
        link->disconnect(this);
        link.release()->deleteLater();
    }
    if (++step < int(kinds.size())) {
        try_step();
        return;
    }
    step = -1;
    emit silent(asked);
}
