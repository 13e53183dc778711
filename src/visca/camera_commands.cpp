#include "visca/camera_commands.h"

#include "visca/catalog.h"

namespace visca {
namespace {
// The broadcast header 88 is address 8.
const int broadcast = 8;
} // namespace

QByteArray pan_tilt_drive(int address, Pan pan, Tilt tilt, int pan_speed, int tilt_speed)
{
    return catalog::command("pan-tilt drive", address,
                            {pan_speed, tilt_speed, int(pan), int(tilt)});
}

QByteArray pan_tilt_stop(int address)
{
    return catalog::command("pan-tilt stop", address, {0x03, 0x03});
}

QList<QByteArray> tally(int address, TallyDialect dialect, Tally state)
{
    const int lit = 0x02;
    const int dark = 0x03;
    const int red = state == Tally::program ? lit : dark;
    const int green = state == Tally::preview ? lit : dark;
    switch (dialect) {
    case TallyDialect::sony: {
        const QByteArray red_lamp = catalog::command("tally", address, {red});
        const QByteArray green_lamp = catalog::command("green tally", address, {green});
        return state == Tally::preview ? QList<QByteArray>{red_lamp, green_lamp}
                                       : QList<QByteArray>{green_lamp, red_lamp};
    }
    case TallyDialect::datavideo:
        return {catalog::command("tally red and green", address, {red, green})};
    case TallyDialect::none: break;
    }
    return {};
}

QByteArray pan_tilt_home(int address) { return catalog::command("pan-tilt home", address); }

QByteArray zoom(int address, Zoom way, int speed)
{
    return catalog::command(way == Zoom::tele ? "zoom tele variable" : "zoom wide variable",
                            address, {speed & 0x07});
}

QByteArray zoom_stop(int address) { return catalog::command("zoom stop", address); }

QByteArray focus_manual(int address) { return catalog::command("focus mode", address, {0x03}); }

QByteArray focus(int address, Focus way, int speed)
{
    return catalog::command(way == Focus::far ? "focus far variable" : "focus near variable",
                            address, {speed & 0x07});
}

QByteArray focus_stop(int address) { return catalog::command("focus stop", address); }

QByteArray preset(int address, bool store, int number)
{
    return catalog::command(store ? "memory set" : "memory recall", address, {number});
}

QByteArray version_inquiry(int address) { return catalog::inquiry("version inquiry", address); }

QByteArray power_inquiry(int address) { return catalog::inquiry("power inquiry", address); }

QByteArray interface_clear_broadcast() { return catalog::command("interface clear", broadcast); }

QByteArray address_set_broadcast() { return catalog::command("address set", broadcast, {1}); }

std::optional<int> chain_size(const QByteArray &message)
{
    if (message.size() != 4 || message.left(2) != QByteArray("\x88\x30", 2) ||
        quint8(message.at(3)) != 0xFF)
        return std::nullopt;
    const int next_free = quint8(message.at(2));
    if (next_free < 1 || next_free > 8)
        return std::nullopt;
    return next_free - 1;
}
} // namespace visca
