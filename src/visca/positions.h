#ifndef ZARVICK_POSITIONS_H
#define ZARVICK_POSITIONS_H

#include <QByteArray>
#include <optional>

// Where the camera points: the position inquiries and their answers, and
// the absolute moves back to a position. Values travel as nibbles, one
// per byte ("0p 0q 0r 0s"), pan and tilt as two's complement. Cameras
// write pan in four nibbles (older models, 11-byte answer) or five
// (newer, 12 bytes); tilt always in four.
namespace visca {
// The optical zoom range ends here; digital zoom goes beyond.
inline constexpr int optical_zoom_end = 0x4000;

QByteArray nibbles(int value, int count);
// The value of `count` nibble bytes of `bytes` from `from`, two's
// complement when `is_signed`; empty when a byte is no nibble.
std::optional<int> nibble_value(const QByteArray &bytes, int from, int count, bool is_signed);

QByteArray pan_tilt_position_inquiry(int address);
QByteArray zoom_position_inquiry(int address);
QByteArray focus_position_inquiry(int address);
QByteArray focus_mode_inquiry(int address);

struct PanTilt {
    int pan;
    int tilt;
    int pan_digits; // 4 or 5
};
std::optional<PanTilt> read_pan_tilt(const QByteArray &answer);
// Zoom or focus, 0000-FFFFh.
std::optional<int> read_lens(const QByteArray &answer);
// True for manual focus, false for auto.
std::optional<bool> read_focus_manual(const QByteArray &answer);

// 8x 01 06 02 VV WW, pan in `pan_digits` nibbles, tilt in four, FF; empty
// when a value does not fit its nibbles.
QByteArray pan_tilt_absolute(int address, int pan_speed, int tilt_speed, const PanTilt &to);
// 8x 01 04 47 (zoom) or 48 (focus) 0p 0q 0r 0s FF; empty outside 0-FFFFh.
QByteArray zoom_direct(int address, int zoom);
QByteArray focus_direct(int address, int focus);
} // namespace visca

#endif
