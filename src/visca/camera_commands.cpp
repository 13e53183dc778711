#include "visca/camera_commands.h"

#include <initializer_list>

namespace visca {
namespace {
// The broadcast header 88 is address 8.
const int broadcast = 8;

QByteArray message(int address, std::initializer_list<int> body)
{
    QByteArray bytes(1, static_cast<char>(0x80 | address));
    for (int byte : body)
        bytes.append(static_cast<char>(byte));
    return bytes + '\xff';
}
} // namespace

QByteArray pan_tilt_drive(int address, Pan pan, Tilt tilt, int pan_speed, int tilt_speed)
{
    return message(address, {0x01, 0x06, 0x01, pan_speed, tilt_speed, int(pan), int(tilt)});
}

QByteArray pan_tilt_stop(int address)
{
    return message(address, {0x01, 0x06, 0x01, 0x03, 0x03, 0x03, 0x03});
}

QList<QByteArray> tally(int address, TallyDialect dialect, Tally state)
{
    const int lit = 0x02;
    const int dark = 0x03;
    const int red = state == Tally::program ? lit : dark;
    const int green = state == Tally::preview ? lit : dark;
    switch (dialect) {
    case TallyDialect::sony: {
        const QByteArray red_lamp = message(address, {0x01, 0x7E, 0x01, 0x0A, 0x00, red});
        const QByteArray green_lamp = message(address, {0x01, 0x7E, 0x04, 0x1A, 0x00, green});
        return state == Tally::preview ? QList<QByteArray>{red_lamp, green_lamp}
                                       : QList<QByteArray>{green_lamp, red_lamp};
    }
    case TallyDialect::datavideo:
        return {message(address, {0x01, 0x7E, 0x01, 0x0A, 0x00, red, green})};
    case TallyDialect::none: break;
    }
    return {};
}

QByteArray pan_tilt_home(int address) { return message(address, {0x01, 0x06, 0x04}); }

QByteArray zoom(int address, Zoom way, int speed)
{
    return message(address, {0x01, 0x04, 0x07, int(way) | (speed & 0x07)});
}

QByteArray zoom_stop(int address) { return message(address, {0x01, 0x04, 0x07, 0x00}); }

QByteArray focus_manual(int address) { return message(address, {0x01, 0x04, 0x38, 0x03}); }

QByteArray focus(int address, Focus way, int speed)
{
    return message(address, {0x01, 0x04, 0x08, int(way) | (speed & 0x07)});
}

QByteArray focus_stop(int address) { return message(address, {0x01, 0x04, 0x08, 0x00}); }

QByteArray preset(int address, bool store, int number)
{
    return message(address, {0x01, 0x04, 0x3F, store ? 0x01 : 0x02, number});
}

QByteArray version_inquiry(int address) { return message(address, {0x09, 0x00, 0x02}); }

QByteArray power_inquiry(int address) { return message(address, {0x09, 0x04, 0x00}); }

QByteArray interface_clear_broadcast() { return message(broadcast, {0x01, 0x00, 0x01}); }

QByteArray address_set_broadcast() { return message(broadcast, {0x30, 0x01}); }

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
