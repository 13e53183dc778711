#include "input/gamepad.h"

#include "control/pad_mapping.h"

#include <SDL.h>
#include <algorithm>

namespace {
// Often enough that a stick feels direct; seldom while nothing is plugged.
constexpr int reading_ms = 16;
constexpr int looking_ms = 250;

double deflection(SDL_GameController *controller, SDL_GameControllerAxis axis)
{
    return qBound(-1.0, SDL_GameControllerGetAxis(controller, axis) / 32767.0, 1.0);
}

bool down(SDL_GameController *controller, SDL_GameControllerButton button)
{
    return SDL_GameControllerGetButton(controller, button) != 0;
}
} // namespace

GamePad::GamePad(HoldOwner &hold_owner, Blocked is_blocked, QObject *parent)
    : QObject(parent), holds(hold_owner), blocked(std::move(is_blocked))
{
    // SDL (2-4 ms) starts with the first look for controllers, one
    // interval after the start: the window's first frame, which has no
    // part in it, comes before. A controller plugged in before the start
    // is read in that same look.
    connect(&tick, &QTimer::timeout, this, &GamePad::poll);
    tick.start(looking_ms);
}

bool GamePad::start_sdl()
{
    // Qt handles the signals; the pad drives while another window (a video
    // mixer) is active, which is how operators use one.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    sdl_ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!sdl_ready)
        return false;
    last_report_ms.fill(-least_interval_ms);
    clock.start();
    return true;
}

GamePad::~GamePad()
{
    for (Pad &pad : pads)
        SDL_GameControllerClose(pad.controller);
    if (sdl_ready)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamePad::poll()
{
    if (!sdl_ready && !start_sdl()) {
        tick.stop(); // no controllers then: nothing changes
        return;
    }
    SDL_GameControllerUpdate();
    // The state is read directly; queued events would only pile up.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (auto pad = pads.begin(); pad != pads.end();) {
        if (SDL_GameControllerGetAttached(pad->controller)) {
            ++pad;
            continue;
        }
        release(*pad); // unplugged: its stops go out at once
        SDL_GameControllerClose(pad->controller);
        pad = pads.erase(pad);
    }
    attach_new();
    const bool is_blocked = blocked();
    for (Pad &pad : pads)
        read(pad, is_blocked);
    tick.setInterval(pads.empty() ? looking_ms : reading_ms);
}

void GamePad::attach_new()
{
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        const int instance = SDL_JoystickGetDeviceInstanceID(index);
        const bool known = std::any_of(pads.begin(), pads.end(), [instance](const Pad &pad) {
            return pad.instance == instance;
        });
        if (known || !SDL_IsGameController(index))
            continue;
        if (SDL_GameController *controller = SDL_GameControllerOpen(index))
            pads.push_back({controller, instance});
    }
}

void GamePad::read(Pad &pad, bool is_blocked)
{
    const Wanted now = wanted(pad.controller);
    for (int control = 0; control < control_count; ++control)
        report(pad, control, now[control], is_blocked);
    press_faces(pad, is_blocked);
}

GamePad::Wanted GamePad::wanted(SDL_GameController *controller)
{
    Wanted drives;
    const pad_mapping::StickDrive stick =
        pad_mapping::pan_tilt(deflection(controller, SDL_CONTROLLER_AXIS_LEFTX),
                              deflection(controller, SDL_CONTROLLER_AXIS_LEFTY));
    if (!stick.way.isNull())
        drives[Stick] = HoldOwner::Drive{HoldOwner::Axis::PanTilt, stick.way,
                                         QPoint(stick.pan_speed, stick.tilt_speed)};
    const QPoint d_pad(down(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) -
                           down(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                       down(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN) -
                           down(controller, SDL_CONTROLLER_BUTTON_DPAD_UP));
    if (!d_pad.isNull())
        drives[DPad] = HoldOwner::Drive{HoldOwner::Axis::PanTilt, d_pad};
    // The right stick pushed up, or the right trigger, zooms in; whichever
    // is pushed further counts.
    const double stick_zoom = -deflection(controller, SDL_CONTROLLER_AXIS_RIGHTY);
    const double trigger_zoom = deflection(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) -
                                deflection(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    const pad_mapping::LensDrive zoom = pad_mapping::zoom(
        std::abs(stick_zoom) >= std::abs(trigger_zoom) ? stick_zoom : trigger_zoom);
    if (zoom.way != 0)
        drives[ZoomAxis] =
            HoldOwner::Drive{HoldOwner::Axis::Zoom, {zoom.way, 0}, QPoint(zoom.speed, 0)};
    if (down(controller, SDL_CONTROLLER_BUTTON_LEFTSHOULDER))
        drives[FocusNear] = HoldOwner::Drive{HoldOwner::Axis::Focus, {1, 0}};
    if (down(controller, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER))
        drives[FocusFar] = HoldOwner::Drive{HoldOwner::Axis::Focus, {-1, 0}};
    return drives;
}

bool GamePad::waits_for_rest() const
{
    return std::any_of(pads.begin(), pads.end(), [](const Pad &pad) {
        return std::find(pad.latched.begin(), pad.latched.end(), true) != pad.latched.end();
    });
}

void GamePad::report(Pad &pad, int control, const std::optional<HoldOwner::Drive> &drive,
                     bool is_blocked)
{
    std::optional<HoldOwner::Drive> &told = pad.reported[control];
    bool &latched = pad.latched[control];
    // Lost by the owner (lose_all) or to a message box: wait for the control to rest.
    if ((told && !holds.holding(HoldOwner::Input::Pad, id(pad, control))) || (told && is_blocked)) {
        holds.let_go(HoldOwner::Input::Pad, id(pad, control));
        told.reset();
        latched = true;
    }
    if (latched || is_blocked) {
        latched = latched && drive.has_value();
        return;
    }
    if (drive == told)
        return;
    const HoldOwner::Axis axis = (drive ? drive : told)->axis;
    qint64 &last = last_report_ms[int(axis)];
    if (clock.elapsed() - last < least_interval_ms)
        return; // a later reading reports it
    last = clock.elapsed();
    told = drive;
    if (drive)
        holds.hold(HoldOwner::Input::Pad, id(pad, control), *drive);
    else
        holds.let_go(HoldOwner::Input::Pad, id(pad, control));
}

void GamePad::press_faces(Pad &pad, bool is_blocked)
{
    static const SDL_GameControllerButton buttons[face_count] = {
        SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_X,    SDL_CONTROLLER_BUTTON_Y,
        SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START};
    for (int face = 0; face < face_count; ++face) {
        const bool pressed = down(pad.controller, buttons[face]) && !pad.face_down[face];
        pad.face_down[face] = down(pad.controller, buttons[face]);
        if (!pressed || is_blocked)
            continue;
        if (face == South)
            emit home();
        else if (face == Back || face == Start)
            emit step_camera(face == Back ? -1 : 1);
        else
            emit recall(face); // West 1, North 2, East 3
    }
}

void GamePad::release(Pad &pad)
{
    for (int control = 0; control < control_count; ++control) {
        if (pad.reported[control])
            holds.let_go(HoldOwner::Input::Pad, id(pad, control));
    }
}
