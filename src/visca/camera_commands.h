#ifndef ZARVICK_CAMERA_COMMANDS_H
#define ZARVICK_CAMERA_COMMANDS_H

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <optional>

// The program's own commands as bytes for the camera at `address` (1 to 7:
// the first byte is 8n). Speeds are VISCA speeds: pan 01-18h, tilt 01-14h,
// zoom and focus 0-7. The hand-typed console keeps its text path
// (command_text.h).
namespace visca {
enum class Pan : quint8 { left = 0x01, right = 0x02, still = 0x03 };
enum class Tilt : quint8 { up = 0x01, down = 0x02, still = 0x03 };
enum class Zoom : quint8 { tele = 0x20, wide = 0x30 };
enum class Focus : quint8 { far = 0x20, near = 0x30 };

QByteArray pan_tilt_drive(int address, Pan pan, Tilt tilt, int pan_speed, int tilt_speed);
// The stop carries no speed of its own: 03 03 where the speeds go.
QByteArray pan_tilt_stop(int address);
QByteArray pan_tilt_home(int address);
QByteArray zoom(int address, Zoom way, int speed);
QByteArray zoom_stop(int address);
QByteArray focus_manual(int address);
QByteArray focus(int address, Focus way, int speed);
QByteArray focus_stop(int address);
// Memory set (store) or recall of preset `number`, 0 to 254.
QByteArray preset(int address, bool store, int number);

// The tally lamps: red says the camera is on air (program), green that it
// is next (preview). Each dialect sets both lamps every time, since on some
// cameras turning one off darkens every lamp: Sony sets each lamp in a
// message of its own (red 7E 01 0A, green 7E 04 1A; 02 on, 03 off), the
// lamp to darken first; Datavideo sets both in one (7E 01 0A 00 rr gg).
enum class Tally { off, preview, program };
enum class TallyDialect { sony, datavideo, none };
QList<QByteArray> tally(int address, TallyDialect dialect, Tally state);

// Which camera answers: vendor, model, ROM version, sockets (replies.h).
QByteArray version_inquiry(int address);
// Whether the camera is on (y0 50 02 FF) or in standby (03): the smallest
// question every camera answers, asked to learn that it answers.
QByteArray power_inquiry(int address);

// Broadcasts to a serial chain: interface clear (88 01 00 01 FF, comes back
// unchanged) and address set (88 30 01 FF: each camera takes the number it
// is handed and passes on the next one).
QByteArray interface_clear_broadcast();
QByteArray address_set_broadcast();
// The address-set broadcast as it comes back, 88 30 0n FF, read as the
// number of cameras on the chain (n - 1, 0 to 7); empty for anything else.
std::optional<int> chain_size(const QByteArray &message);
} // namespace visca

#endif
