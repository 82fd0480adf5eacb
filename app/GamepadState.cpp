#include "GamepadState.h"

#include "GameTypes.h"

#include "SdlLibrary.h"

#include <array>
#include <utility>

namespace stacklume {

namespace {

constexpr std::array<std::pair<SDL_GameControllerButton, int>, 6> ButtonKeys{{
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VirtualKey::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VirtualKey::Right},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VirtualKey::Down},
    {SDL_CONTROLLER_BUTTON_A, VirtualKey::Up},
    {SDL_CONTROLLER_BUTTON_B, VirtualKey::Space},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, VirtualKey::Shift},
}};

} // namespace

GamepadState::GamepadState(std::function<bool()> hasKeyboard) : hasKeyboard_(std::move(hasKeyboard)) {}

bool GamepadState::Available() {
    if (!subsystemTried_)
        StartSubsystem();
    return subsystemStarted_;
}

void GamepadState::StartSubsystem() {
    subsystemTried_ = true;
    // Without SDL the game is played from the keyboard alone.
    if (SdlIfLoadable() == nullptr)
        return;
    // Starting controllers brings up SDL's events, which would otherwise take over SIGINT and
    // SIGTERM: the window could then no longer be ended by a signal.
    Sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL cannot tell whether a Qt window has the keyboard: let it report the pads always, and
    // decide ourselves whether they count.
    Sdl().SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // The south face button turns the piece on every pad, whatever it is labelled (B on a
    // Nintendo pad).
    Sdl().SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    subsystemStarted_ = Sdl().InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

GamepadState::~GamepadState() {
    for (const auto& pad : pads_)
        Sdl().GameControllerClose(pad.second);
    if (subsystemStarted_)
        Sdl().QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool GamepadState::IsDown(int virtualKey) const { return held_.contains(virtualKey); }

GamepadPresses GamepadState::Poll() {
    if (!Available())
        return {};
    // Reads every open pad and notices pads plugged in or pulled out.
    Sdl().GameControllerUpdate();
    ClosePadsRemoved();
    OpenPadsAdded();
    const GamepadPresses presses = TakePresses();
    if (!hasKeyboard_()) {
        // Another application has the keyboard: what the pads do meanwhile is not for us.
        held_.clear();
        return {};
    }
    held_ = KeysHeld();
    return presses;
}

void GamepadState::ClosePadsRemoved() {
    std::erase_if(pads_, [](const auto& pad) {
        if (Sdl().GameControllerGetAttached(pad.second))
            return false;
        Sdl().GameControllerClose(pad.second);
        return true;
    });
}

void GamepadState::OpenPadsAdded() {
    // Devices are few and counting them is cheap: a scan finds every new pad, however the
    // drivers announce it.
    const int devices = Sdl().NumJoysticks();
    for (int device = 0; device < devices; ++device) {
        const SDL_JoystickID id = Sdl().JoystickGetDeviceInstanceID(device);
        if (id < 0 || pads_.contains(id) || refused_.contains(id) || !Sdl().IsGameController(device))
            continue;
        if (SDL_GameController* pad = Sdl().GameControllerOpen(device))
            pads_.emplace(id, pad);
        else
            refused_.insert(id); // tried once while plugged in, not on every tick
    }
}

GamepadPresses GamepadState::TakePresses() {
    // Only the joystick and controller events: the rest of SDL's queue belongs to others.
    constexpr Uint32 FirstPadEvent = SDL_JOYAXISMOTION;
    constexpr Uint32 LastPadEvent = SDL_FINGERDOWN - 1;
    GamepadPresses presses;
    std::array<SDL_Event, 64> events{};
    int count = 0;
    do {
        count = Sdl().PeepEvents(events.data(), static_cast<int>(events.size()), SDL_GETEVENT, FirstPadEvent,
                                 LastPadEvent);
        for (int i = 0; i < count; ++i) {
            const SDL_Event& event = events[static_cast<std::size_t>(i)];
            if (event.type != SDL_CONTROLLERBUTTONDOWN)
                continue;
            // Counted from the events, so that a tap shorter than a tick still counts, once.
            presses.Start |= event.cbutton.button == SDL_CONTROLLER_BUTTON_START;
            presses.Back |= event.cbutton.button == SDL_CONTROLLER_BUTTON_BACK;
        }
    } while (count == static_cast<int>(events.size()));
    return presses;
}

std::set<int> GamepadState::KeysHeld() const {
    std::set<int> keys;
    for (const auto& pad : pads_) {
        for (const auto& [button, key] : ButtonKeys)
            if (Sdl().GameControllerGetButton(pad.second, button) != 0)
                keys.insert(key);
        const int stick = Sdl().GameControllerGetAxis(pad.second, SDL_CONTROLLER_AXIS_LEFTX);
        if (stick <= -StickDeadZone)
            keys.insert(VirtualKey::Left);
        else if (stick >= StickDeadZone)
            keys.insert(VirtualKey::Right);
    }
    return keys;
}

} // namespace stacklume
