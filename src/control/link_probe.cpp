#include "control/link_probe.h"

#include "links/tcp_link.h"
#include "links/udp_link.h"
#include "visca/camera_commands.h"
#include "visca/commands.h"
#include "visca/packet_cutter.h"

#include <array>

namespace {
struct Step {
    CameraSettings::LinkKind link;
    quint16 port;
};
// VISCA over IP first: the cameras that answer the network enquiry speak it.
const std::array<Step, 3> steps = {{{CameraSettings::LinkKind::Udp, visca::visca_over_ip_port},
                                    {CameraSettings::LinkKind::Tcp, visca::tcp_port},
                                    {CameraSettings::LinkKind::Udp, visca::udp_port}}};
} // namespace

LinkProbe::LinkProbe(QObject *parent) : QObject(parent)
{
    limit.setSingleShot(true);
    limit.setInterval(step_limit_ms);
    connect(&limit, &QTimer::timeout, this, &LinkProbe::give_up_step);
}

LinkProbe::~LinkProbe() = default;

void LinkProbe::probe(const QHostAddress &address)
{
    asked = address;
    step = 0;
    try_step();
}

void LinkProbe::try_step()
{
    const Step &tried = steps.at(size_t(step));
    const QByteArray inquiry = visca::version_inquiry(1);
    limit.start();
    if (tried.link == CameraSettings::LinkKind::Tcp) {
        auto *tcp = new TcpLink();
        link.reset(tcp);
        connect(tcp, &TcpLink::opened, this, [tcp, inquiry] { tcp->send(inquiry); });
        // Refused: the next way at once, not after the limit.
        connect(tcp, &TcpLink::open_failed, this, [this] { limit.start(0); });
        tcp->open(asked, tried.port, step_limit_ms);
    } else {
        auto *udp = new UdpLink();
        link.reset(udp);
        udp->open(asked, tried.port);
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
            const Step found = steps.at(size_t(step));
            limit.stop();
            step = -1;
            // The link goes once this signal is over.
            link.release()->deleteLater();
            emit answered(asked, {found.link, found.port, *version});
            return;
        }
    }
}

void LinkProbe::give_up_step()
{
    if (link)
        link.release()->deleteLater();
    if (++step < int(steps.size())) {
        try_step();
        return;
    }
    step = -1;
    emit silent(asked);
}
