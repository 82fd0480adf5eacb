#pragma once

#include <SDL2/SDL_gamecontroller.h>

namespace stacklume::testing {

// A game controller that exists only in SDL, plugged in on construction. Its buttons and stick
// take their new positions when the pads are next read.
class VirtualPad {
public:
    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void Press(SDL_GameControllerButton button) { SetButton(button, true); }
    void Release(SDL_GameControllerButton button) { SetButton(button, false); }
    void SetButton(SDL_GameControllerButton button, bool down);
    void SetStickX(int value);
    void Unplug();

private:
    SDL_Joystick* joystick_ = nullptr;
};

} // namespace stacklume::testing
