#ifndef ZARVICK_PAD_MAPPING_H
#define ZARVICK_PAD_MAPPING_H

#include <QPoint>

// From a game controller's stick deflection to a drive and its VISCA
// speed. Deflections run from -1 to 1 on each axis (x right, y down, as
// game controllers report them).
namespace pad_mapping {
// Around the centre a stick never rests exactly at zero.
inline constexpr double dead_zone = 0.15;
inline constexpr int fastest_pan = 24;
inline constexpr int fastest_tilt = 20;
inline constexpr int fastest_lens = 7;

// A stick inside the dead zone asks for nothing (a null way).
struct StickDrive {
    QPoint way;
    int pan_speed = 0;
    int tilt_speed = 0;
};

// Pan and tilt from the left stick: the nearest of the eight directions,
// both speeds from how far the stick is pushed (1 just past the dead zone,
// the fastest at the rim).
StickDrive pan_tilt(double x, double y);

// Zoom from a deflection pushed up for tele (a stick's up is its negative
// y): way 1 tele, -1 wide, 0 none; speed 0-7.
struct LensDrive {
    int way = 0;
    int speed = 0;
};
LensDrive zoom(double toward_tele);
} // namespace pad_mapping

#endif
