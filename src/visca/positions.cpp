#include "visca/positions.h"

#include "visca/catalog.h"
#include "visca/replies.h"

namespace visca {
namespace {
// An answer's data (between y0 50 and FF), when it is one of `size` bytes.
std::optional<QByteArray> answer_data(const QByteArray &answer, int size)
{
    const std::optional<Reply> reply = read_reply(answer);
    if (!reply || reply->kind != ReplyKind::Answer || reply->data.size() != size)
        return std::nullopt;
    return reply->data;
}
} // namespace

QByteArray nibbles(int value, int count)
{
    QByteArray bytes;
    for (int shift = 4 * (count - 1); shift >= 0; shift -= 4)
        bytes.append(static_cast<char>((value >> shift) & 0x0F));
    return bytes;
}

std::optional<int> nibble_value(const QByteArray &bytes, int from, int count, bool is_signed)
{
    if (from < 0 || from + count > bytes.size())
        return std::nullopt;
    int value = 0;
    for (int index = from; index < from + count; ++index) {
        const auto nibble = quint8(bytes.at(index));
        if (nibble > 0x0F)
            return std::nullopt;
        value = (value << 4) | nibble;
    }
    const int bits = 4 * count;
    if (is_signed && value >= (1 << (bits - 1)))
        value -= 1 << bits;
    return value;
}

QByteArray pan_tilt_position_inquiry(int address)
{
    return catalog::inquiry("pan-tilt position inquiry", address);
}
QByteArray zoom_position_inquiry(int address)
{
    return catalog::inquiry("zoom position inquiry", address);
}
QByteArray focus_position_inquiry(int address)
{
    return catalog::inquiry("focus position inquiry", address);
}
QByteArray focus_mode_inquiry(int address)
{
    return catalog::inquiry("focus mode inquiry", address);
}

std::optional<PanTilt> read_pan_tilt(const QByteArray &answer)
{
    for (const int pan_digits : {4, 5}) {
        const std::optional<QByteArray> data = answer_data(answer, pan_digits + 4);
        if (!data)
            continue;
        const std::optional<int> pan = nibble_value(*data, 0, pan_digits, true);
        const std::optional<int> tilt = nibble_value(*data, pan_digits, 4, true);
        if (pan && tilt)
            return PanTilt{*pan, *tilt, pan_digits};
    }
    return std::nullopt;
}

std::optional<int> read_lens(const QByteArray &answer)
{
    const std::optional<QByteArray> data = answer_data(answer, 4);
    return data ? nibble_value(*data, 0, 4, false) : std::nullopt;
}

std::optional<bool> read_focus_manual(const QByteArray &answer)
{
    const std::optional<QByteArray> data = answer_data(answer, 1);
    if (!data || (data->at(0) != 0x02 && data->at(0) != 0x03))
        return std::nullopt;
    return data->at(0) == 0x03;
}

QByteArray pan_tilt_absolute(int address, int pan_speed, int tilt_speed, const PanTilt &to)
{
    const char *name = to.pan_digits == 4   ? "pan-tilt absolute"
                       : to.pan_digits == 5 ? "pan-tilt absolute (5-digit pan)"
                                            : nullptr;
    return name ? catalog::command(name, address, {pan_speed, tilt_speed, to.pan, to.tilt})
                : QByteArray();
}

QByteArray zoom_direct(int address, int zoom)
{
    return catalog::command("zoom direct", address, {zoom});
}

QByteArray focus_direct(int address, int focus)
{
    return catalog::command("focus direct", address, {focus});
}
} // namespace visca
