#include "VirtualPad.h"

#include <SDL2/SDL.h>

#include <stdexcept>
#include <string>

namespace stacklume::testing {

VirtualPad::VirtualPad() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Held for the pad's lifetime: the last user of the joysticks to quit detaches every virtual one.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        throw std::runtime_error(std::string("no joysticks: ") + SDL_GetError());
    SDL_VirtualJoystickDesc description{};
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    // With every standard button and axis, SDL maps it as a game controller by itself.
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.name = "Stacklume test pad";
    const int device = SDL_JoystickAttachVirtualEx(&description);
    if (device >= 0)
        joystick_ = SDL_JoystickOpen(device);
    if (joystick_ == nullptr) {
        const std::string error = SDL_GetError();
        if (device >= 0)
            SDL_JoystickDetachVirtual(device);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        throw std::runtime_error("no virtual pad: " + error);
    }
}

VirtualPad::~VirtualPad() {
    Unplug();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void VirtualPad::SetButton(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualPad::SetStickX(int value) {
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(value));
}

void VirtualPad::Unplug() {
    if (joystick_ == nullptr)
        return;
    // Detached by its place in the device list, which the pads plugged before it may have moved.
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    for (int device = 0; device < SDL_NumJoysticks(); ++device) {
        if (SDL_JoystickGetDeviceInstanceID(device) == id) {
            SDL_JoystickDetachVirtual(device);
            break;
        }
    }
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
}

} // namespace stacklume::testing
