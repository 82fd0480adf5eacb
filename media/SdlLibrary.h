#pragma once

#include <SDL2/SDL.h>

namespace stacklume {

// The SDL functions the game calls. Every one of them is listed once, here.
#define STACKLUME_SDL_FUNCTIONS(FUNCTION)                                                                    \
    FUNCTION(SetHint)                                                                                        \
    FUNCTION(InitSubSystem)                                                                                  \
    FUNCTION(QuitSubSystem)                                                                                  \
    FUNCTION(PeepEvents)                                                                                     \
    FUNCTION(NumJoysticks)                                                                                   \
    FUNCTION(JoystickGetDeviceInstanceID)                                                                    \
    FUNCTION(IsGameController)                                                                               \
    FUNCTION(GameControllerOpen)                                                                             \
    FUNCTION(GameControllerClose)                                                                            \
    FUNCTION(GameControllerUpdate)                                                                           \
    FUNCTION(GameControllerGetAttached)                                                                      \
    FUNCTION(GameControllerGetButton)                                                                        \
    FUNCTION(GameControllerGetAxis)

// SDL, loaded when it is first needed rather than with the program: it brings some twenty
// libraries (X11, Wayland, ALSA, PulseAudio and theirs), whose loading would otherwise hold up
// the window's first appearance. The game uses it for the gamepads alone. Sdl().SetHint(...) calls
// SDL_SetHint(...).
struct SdlLibrary {
#define STACKLUME_SDL_POINTER(name) decltype(&SDL_##name) name = nullptr;
    STACKLUME_SDL_FUNCTIONS(STACKLUME_SDL_POINTER)
#undef STACKLUME_SDL_POINTER
};

// Loads the library on the first call, from any thread. Throws std::runtime_error, saying why,
// when it cannot be loaded; a later call tries again.
const SdlLibrary& Sdl();
// The same, or null when it cannot be loaded: for what the game does without.
const SdlLibrary* SdlIfLoadable() noexcept;

} // namespace stacklume
