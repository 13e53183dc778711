#include "control/raw_movement.h"

std::optional<std::pair<Axis, bool>> raw_movement(const QByteArray &message)
{
    const auto byte = [&message](int at) { return uchar(message.at(at)); };
    if (message.size() < 5 || (byte(0) & 0xF0) != 0x80 || byte(message.size() - 1) != 0xFF)
        return std::nullopt;
    if (message.size() == 9 && byte(1) == 0x01 && byte(2) == 0x06 && byte(3) == 0x01) {
        const int pan = byte(6);
        const int tilt = byte(7);
        if (pan < 1 || pan > 3 || tilt < 1 || tilt > 3)
            return std::nullopt;
        return std::pair(Axis::PanTilt, !(pan == 3 && tilt == 3));
    }
    if (message.size() == 6 && byte(1) == 0x01 && byte(2) == 0x04 &&
        (byte(3) == 0x07 || byte(3) == 0x08)) {
        const Axis axis = byte(3) == 0x07 ? Axis::Zoom : Axis::Focus;
        const int way = byte(4);
        if (way == 0x00)
            return std::pair(axis, false);
        if (way == 0x02 || way == 0x03 || (way & 0xE0) == 0x20)
            return std::pair(axis, true);
    }
    return std::nullopt;
}
