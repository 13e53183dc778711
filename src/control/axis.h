#ifndef ZARVICK_AXIS_H
#define ZARVICK_AXIS_H

// What of a camera moves on its own, each with its own drive and stop:
// pan and tilt together, the zoom, the focus.
enum class Axis { PanTilt, Zoom, Focus };
inline constexpr Axis every_axis[] = {Axis::PanTilt, Axis::Zoom, Axis::Focus};

#endif
