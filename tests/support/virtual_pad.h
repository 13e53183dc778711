#ifndef ZARVICK_VIRTUAL_PAD_H
#define ZARVICK_VIRTUAL_PAD_H

#include <SDL.h>

// A game controller that exists only in SDL (a virtual joystick with the
// standard layout), plugged in while this object lives or until unplug().
class VirtualPad
{
public:
    // What the tests set in their environment so that a real controller of
    // the machine never joins in: SDL ignores every device but this one.
    static constexpr Uint16 vendor = 0x7a72;
    static constexpr Uint16 product = 0x0001;

    VirtualPad();
    ~VirtualPad();
    bool plugged() const { return joystick != nullptr; }
    // -1 to 1; triggers 0 to 1.
    void move(SDL_GameControllerAxis axis, double deflection);
    void press(SDL_GameControllerButton button, bool down = true);
    void unplug();

private:
    SDL_Joystick *joystick = nullptr;
    SDL_JoystickID instance = -1;
};

#endif
