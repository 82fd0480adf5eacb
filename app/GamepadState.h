#pragma once

#include "KeyState.h"

#include <SDL2/SDL_gamecontroller.h>

#include <functional>
#include <map>
#include <set>

namespace stacklume {

// The pad buttons that run menu commands, pressed since the previous poll.
struct GamepadPresses {
    bool Start = false; // the pause toggle
    bool Back = false;  // a new game

    bool operator==(const GamepadPresses&) const = default;
};

// Every game controller plugged in, read as the keys the tick polls: the d-pad and the left
// stick hold Left, Right and Down, A (the south button) Up, B Space and the right shoulder Shift.
// All pads count together, and they are picked up and let go as they are plugged in and out.
// Pad input counts only while the application has the keyboard; without it, or once unplugged,
// a pad holds nothing. Without controller support in the system there are simply no pads.
class GamepadState : public KeyState {
public:
    // How far the stick must be pushed sideways, out of 32767, to hold Left or Right: about half
    // its travel, so that drift and a push mostly up or down do not move the piece.
    static constexpr int StickDeadZone = 16384;

    // hasKeyboard says whether the application has the keyboard now.
    explicit GamepadState(std::function<bool()> hasKeyboard);
    ~GamepadState() override;
    GamepadState(const GamepadState&) = delete;
    GamepadState& operator=(const GamepadState&) = delete;

    // Whether the system offers game controllers at all. SDL's controller support starts with
    // the first question asked, here or in Poll: the window need not wait for it to appear.
    bool Available();
    int PadCount() const { return static_cast<int>(pads_.size()); }

    // As of the last poll.
    bool IsDown(int virtualKey) const override;

    // Reads the pads, takes in those plugged since the last poll and lets go of those removed.
    GamepadPresses Poll();

private:
    void StartSubsystem();
    void ClosePadsRemoved();
    void OpenPadsAdded();
    GamepadPresses TakePresses();
    std::set<int> KeysHeld() const;

    std::function<bool()> hasKeyboard_;
    bool subsystemTried_ = false;
    bool subsystemStarted_ = false;
    std::map<SDL_JoystickID, SDL_GameController*> pads_;
    std::set<SDL_JoystickID> refused_; // pads that would not open
    std::set<int> held_;
};

} // namespace stacklume
