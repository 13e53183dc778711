#include "control/pad_mapping.h"

#include <QtGlobal>
#include <cmath>

namespace pad_mapping {
namespace {
// How far past the dead zone, 0 at its edge to 1 at the rim.
double beyond_dead_zone(double deflection)
{
    return qBound(0.0, (deflection - dead_zone) / (1 - dead_zone), 1.0);
}

int step(double share, int fastest, int slowest)
{
    return slowest + int(std::lround(share * (fastest - slowest)));
}
} // namespace

StickDrive pan_tilt(double x, double y)
{
    const double deflection = std::hypot(x, y);
    if (deflection < dead_zone)
        return {};
    // Eight sectors of 45 degrees, the first centred on "right".
    constexpr double pi = 3.14159265358979323846;
    const int sector = int(std::lround(std::atan2(y, x) / (pi / 4)));
    static const QPoint ways[] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                  {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    const double share = beyond_dead_zone(deflection);
    return {ways[(sector + 8) % 8], step(share, fastest_pan, 1), step(share, fastest_tilt, 1)};
}

LensDrive zoom(double toward_tele)
{
    if (std::abs(toward_tele) < dead_zone)
        return {};
    return {toward_tele > 0 ? 1 : -1,
            step(beyond_dead_zone(std::abs(toward_tele)), fastest_lens, 0)};
}
} // namespace pad_mapping
