#ifndef ZARVICK_MOVE_STEPS_H
#define ZARVICK_MOVE_STEPS_H

#include "control/axis.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <optional>

// One drive or stop of a recorded move, as the camera was told it: its
// time from the start of the recording, the way the camera turned (not
// the picture's: a camera hung upside down plays its move back the same)
// and the speeds it took (pan and tilt; zoom and focus in x).
struct MoveStep {
    int at_ms = 0;
    Axis axis = Axis::PanTilt;
    // x -1 left / wide / far, 1 right / tele / near; y -1 up, 1 down.
    // Null for the axis's stop.
    QPoint way;
    QPoint speed;

    bool operator==(const MoveStep &other) const
    {
        return at_ms == other.at_ms && axis == other.axis && way == other.way &&
               speed == other.speed;
    }
};

// A move holds at most this many steps, and lasts at most this long: a
// recording ends there, a longer text is no move.
inline constexpr int most_move_steps = 5000;
inline constexpr int longest_move_ms = 3600 * 1000;

// The steps as config.ini keeps them, one step after another, " | "
// between (a ';' would start a comment there): "0 pan-tilt 1 -1 10 8",
// "400 zoom 1 3", "900 pan-tilt stop".
QString move_text(const QList<MoveStep> &steps);
// The steps of such a text, in time order; none when any step does not
// read (a move is played whole or not at all).
std::optional<QList<MoveStep>> read_move(const QString &text);

#endif
