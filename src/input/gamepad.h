#ifndef ZARVICK_GAMEPAD_H
#define ZARVICK_GAMEPAD_H

#include "control/holds.h"

#include <SDL_gamecontroller.h>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// Every game controller the system sees (SDL2's game-controller API, so the
// buttons of common pads sit where their labels say), plugged in before or
// after the start, as one more input of the hold owner: the left stick and
// the d-pad hold pan-tilt, the right stick or the triggers zoom, the
// shoulder buttons focus; the face buttons ask for Home and presets 1-3.
//
// The controller is read whether the window is active or not, but not while
// `blocked` (a message box of the program is open). A hold the owner lost (a message box,
// a tab change, the link closing) stays lost until that control is back at
// rest, so that a stick still pushed does not start the camera again by
// itself. Per axis group, reports are at least 50 ms apart: a shaking hand
// cannot flood the link.
class GamePad : public QObject
{
    Q_OBJECT

public:
    static constexpr int least_interval_ms = 50;
    using Blocked = std::function<bool()>;

    GamePad(HoldOwner &hold_owner, Blocked is_blocked, QObject *parent = nullptr);
    ~GamePad() override;
    int attached() const { return int(pads.size()); }
    // Whether a control whose hold was lost is still pushed, so that it
    // drives nothing until it has rested.
    bool waits_for_rest() const;

signals:
    void home();
    void recall(int preset);
    // Back (-1) or Start (1): the previous or next camera.
    void step_camera(int step);

private:
    // The controls of one controller that hold drives.
    enum Control { Stick, DPad, ZoomAxis, FocusNear, FocusFar, control_count };
    enum Face { South, West, North, East, Back, Start, face_count };
    struct Pad {
        SDL_GameController *controller;
        int instance;
        std::array<std::optional<HoldOwner::Drive>, control_count> reported{};
        std::array<bool, control_count> latched{};
        std::array<bool, face_count> face_down{};
    };
    using Wanted = std::array<std::optional<HoldOwner::Drive>, control_count>;

    bool start_sdl();
    void poll();
    void attach_new();
    void read(Pad &pad, bool is_blocked);
    static Wanted wanted(SDL_GameController *controller);
    void press_faces(Pad &pad, bool is_blocked);
    void report(Pad &pad, int control, const std::optional<HoldOwner::Drive> &drive,
                bool is_blocked);
    void release(Pad &pad);
    int id(const Pad &pad, int control) const { return pad.instance * control_count + control; }

    HoldOwner &holds;
    Blocked blocked;
    bool sdl_ready = false;
    QTimer tick;
    QElapsedTimer clock;
    std::vector<Pad> pads;
    // When each axis group (pan-tilt, zoom, focus) last got a report.
    std::array<qint64, 3> last_report_ms{};
};

#endif
