// A monitor pair's reading, fed anything from either side: a controller's
// datagrams or stream, a camera's replies, in any order, between kinds
// chosen by the first byte. Where both sides are of one framing every
// byte passes as it is; where they differ the VISCA message inside passes
// unchanged; what waits for a reply stays within its bound. The text of a
// pair reads back to itself.
#include "monitor/endpoint.h"
#include "monitor/exchange.h"
#include "visca/packet_cutter.h"
#include "visca/visca_over_ip.h"

#include <cstdint>
#include <cstdlib>

namespace {
using monitor::Kind;
namespace ip = visca_over_ip;

constexpr Kind kinds[] = {Kind::udp, Kind::visca_ip, Kind::tcp, Kind::serial};

void check_from_controller(Kind listen, Kind target, const QByteArray &unit,
                           const monitor::Out &out)
{
    const bool numbered_listen = listen == Kind::visca_ip;
    const bool numbered_target = target == Kind::visca_ip;
    if (numbered_listen == numbered_target) {
        if (out.to_camera != QList<QByteArray>{unit} || !out.to_controller.isEmpty())
            abort();
        return;
    }
    if (numbered_target) {
        // Numbered by the monitor, the message inside unchanged.
        const auto last = ip::unpack(out.to_camera.value(out.to_camera.size() - 1));
        if (!last || last->payload != unit)
            abort();
        return;
    }
    const auto message = ip::unpack(unit);
    if (!out.to_camera.isEmpty() &&
        (!message || out.to_camera != QList<QByteArray>{message->payload}))
        abort();
    if (out.to_camera.isEmpty() == out.to_controller.isEmpty())
        abort();
}

void check_from_camera(Kind listen, Kind target, const QByteArray &unit, const monitor::Out &out)
{
    if (out.to_controller.size() > 1)
        abort();
    if (out.to_controller.isEmpty())
        return;
    const QByteArray passed = out.to_controller.first();
    const bool numbered_listen = listen == Kind::visca_ip;
    const bool numbered_target = target == Kind::visca_ip;
    if (numbered_listen == numbered_target && passed != unit)
        abort();
    if (numbered_listen && !numbered_target) {
        const auto message = ip::unpack(passed);
        if (!message || message->payload != unit || message->type != ip::reply)
            abort();
    }
    if (!numbered_listen && numbered_target) {
        const auto message = ip::unpack(unit);
        if (!message || message->payload != passed)
            abort();
    }
}

// The units a side's reader makes of `bytes`: a stream cut at FF within
// the pair's limit (losing and inventing nothing), a datagram whole.
QList<QByteArray> units_of(Kind kind, PacketCutter &cutter, const QByteArray &bytes)
{
    if (!monitor::is_stream(kind))
        return {bytes};
    return cutter.feed(bytes);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray all(reinterpret_cast<const char *>(data), int(size));
    QString ignored;
    if (const auto pair = monitor::read_pair(QString::fromUtf8(all), &ignored)) {
        const auto again = monitor::read_pair(monitor::pair_text(*pair), &ignored);
        if (!again || !(again->listen == pair->listen) || !(again->target == pair->target))
            abort();
    }
    const Kind listen = kinds[data[0] & 3];
    const Kind target = kinds[(data[0] >> 2) & 3];
    monitor::Exchange exchange(listen, target);
    PacketCutter controller_cutter(32);
    PacketCutter camera_cutter(32);
    // Each piece: a byte saying who sends (and which controller), its
    // length, then its bytes.
    qint64 now = 0;
    for (int at = 1; at + 2 <= all.size();) {
        const auto who = quint8(all.at(at));
        const int length = quint8(all.at(at + 1)) % 24;
        const QByteArray piece = all.mid(at + 2, length);
        at += 2 + length;
        now += who & 0x0F;
        const int controller = (who >> 4) & 3;
        const bool from_camera = who & 0x80;
        PacketCutter &cutter = from_camera ? camera_cutter : controller_cutter;
        for (const QByteArray &unit : units_of(from_camera ? target : listen, cutter, piece)) {
            if (from_camera) {
                const int to = target == Kind::serial ? -1 : controller;
                check_from_camera(listen, target, unit, exchange.from_camera(to, unit, now));
            } else {
                check_from_controller(listen, target, unit,
                                      exchange.from_controller(controller, unit, now));
            }
        }
        for (int id = 0; id < 4; ++id) {
            if (exchange.waiting(id) > monitor::Exchange::most_waiting)
                abort();
        }
        if (controller_cutter.pending_size() > 32 || camera_cutter.pending_size() > 32)
            abort();
    }
    return 0;
}
