#ifndef ZARVICK_RAW_MOVEMENT_H
#define ZARVICK_RAW_MOVEMENT_H

#include "control/axis.h"

#include <QByteArray>
#include <optional>
#include <utility>

// Whether one VISCA message, typed by hand or sent from outside, starts or
// stops a continuous movement: a pan-tilt drive (8x 01 06 01 VV WW 0p 0q
// FF; 03 03 stops), a zoom or focus drive (8x 01 04 07 / 08, then 02, 03,
// 2p or 3p; 00 stops). The axis, and true for a start; none for anything
// else (a move to a place ends by itself).
std::optional<std::pair<Axis, bool>> raw_movement(const QByteArray &message);

#endif
