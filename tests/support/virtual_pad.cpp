#include "virtual_pad.h"

#include <QtGlobal>

VirtualPad::VirtualPad()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return;
    SDL_VirtualJoystickDesc description{};
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    description.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    description.vendor_id = vendor;
    description.product_id = product;
    description.name = "Zarvick test pad";
    const int index = SDL_JoystickAttachVirtualEx(&description);
    if (index >= 0)
        joystick = SDL_JoystickOpen(index);
    if (!joystick)
        return;
    instance = SDL_JoystickInstanceID(joystick);
    // Before anyone reads it: a trigger's rest is the bottom of its range.
    move(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
    move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
}

VirtualPad::~VirtualPad()
{
    unplug();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void VirtualPad::move(SDL_GameControllerAxis axis, double deflection)
{
    // A trigger spans the whole range of the joystick axis behind it.
    if (axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT)
        deflection = deflection * 2 - 1;
    SDL_JoystickSetVirtualAxis(joystick, axis,
                               Sint16(qBound(-32768.0, deflection * 32767, 32767.0)));
}

void VirtualPad::press(SDL_GameControllerButton button, bool down)
{
    SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
}

void VirtualPad::unplug()
{
    if (!joystick)
        return;
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    // Detached by its present device index, which other pads may have moved.
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instance) {
            SDL_JoystickDetachVirtual(index);
            break;
        }
    }
}
