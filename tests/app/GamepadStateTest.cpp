#include "GamepadState.h"
#include "CombinedKeyState.h"
#include "FakePlatform.h"
#include "GameTypes.h"
#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <vector>

namespace stacklume {

void PrintTo(const GamepadPresses& presses, std::ostream* out) {
    *out << "{Start " << presses.Start << ", Back " << presses.Back << "}";
}

namespace testing {
namespace {

const std::vector<int> PolledKeys{VirtualKey::Shift, VirtualKey::Control, VirtualKey::Space,
                                  VirtualKey::End,   VirtualKey::Left,    VirtualKey::Up,
                                  VirtualKey::Right, VirtualKey::Down,    VirtualKey::Delete};

std::vector<int> KeysDown(const KeyState& keys) {
    std::vector<int> down;
    for (const int key : PolledKeys)
        if (keys.IsDown(key))
            down.push_back(key);
    return down;
}

constexpr GamepadPresses NoPress{};
constexpr GamepadPresses StartPress{true, false};
constexpr GamepadPresses BackPress{false, true};

class GamepadStateTest : public ::testing::Test {
protected:
    bool hasKeyboard = true;
    GamepadState pads{[this] { return hasKeyboard; }};
};

TEST_F(GamepadStateTest, EachControlHoldsItsKeyAndNothingElse) {
    VirtualPad pad;
    ASSERT_TRUE(pads.Available());
    pads.Poll();
    ASSERT_EQ(pads.PadCount(), 1);
    struct Case {
        SDL_GameControllerButton button;
        std::vector<int> keys;
    };
    for (const Case& c :
         {Case{SDL_CONTROLLER_BUTTON_DPAD_LEFT, {VirtualKey::Left}},
          Case{SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {VirtualKey::Right}},
          Case{SDL_CONTROLLER_BUTTON_DPAD_DOWN, {VirtualKey::Down}},
          Case{SDL_CONTROLLER_BUTTON_A, {VirtualKey::Up}}, Case{SDL_CONTROLLER_BUTTON_B, {VirtualKey::Space}},
          Case{SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, {VirtualKey::Shift}},
          Case{SDL_CONTROLLER_BUTTON_DPAD_UP, {}}, Case{SDL_CONTROLLER_BUTTON_X, {}},
          Case{SDL_CONTROLLER_BUTTON_Y, {}}, Case{SDL_CONTROLLER_BUTTON_LEFTSHOULDER, {}},
          Case{SDL_CONTROLLER_BUTTON_START, {}}, Case{SDL_CONTROLLER_BUTTON_BACK, {}}}) {
        SCOPED_TRACE(SDL_GameControllerGetStringForButton(c.button));
        pad.Press(c.button);
        pads.Poll();
        EXPECT_EQ(KeysDown(pads), c.keys);
        pad.Release(c.button);
        pads.Poll();
        EXPECT_EQ(KeysDown(pads), std::vector<int>{});
    }
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pads.Poll();
    EXPECT_EQ(KeysDown(pads), (std::vector<int>{VirtualKey::Left, VirtualKey::Up})) << "held together";
}

TEST_F(GamepadStateTest, TheStickCountsOnlyBeyondItsDeadZone) {
    VirtualPad pad;
    pads.Poll();
    constexpr int Zone = GamepadState::StickDeadZone;
    struct Case {
        int stick;
        std::vector<int> keys;
    };
    for (const Case& c : {Case{0, {}}, Case{Zone - 1, {}}, Case{-(Zone - 1), {}},
                          Case{Zone, {VirtualKey::Right}}, Case{-Zone, {VirtualKey::Left}},
                          Case{32767, {VirtualKey::Right}}, Case{-32768, {VirtualKey::Left}}}) {
        SCOPED_TRACE(c.stick);
        pad.SetStickX(c.stick);
        pads.Poll();
        EXPECT_EQ(KeysDown(pads), c.keys);
    }
}

TEST_F(GamepadStateTest, StartAndBackArePressesCountedOncePerPress) {
    VirtualPad pad;
    pads.Poll();
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(pads.Poll(), StartPress);
    EXPECT_EQ(pads.Poll(), NoPress) << "still held";
    pad.Release(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(pads.Poll(), NoPress) << "let go";
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(pads.Poll(), StartPress) << "pressed again";

    pad.Press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(pads.Poll(), BackPress) << "while Start stays held";
    EXPECT_EQ(pads.Poll(), NoPress);

    // A tap that begins and ends between two polls still counts.
    pad.Release(SDL_CONTROLLER_BUTTON_BACK);
    pads.Poll();
    pad.Press(SDL_CONTROLLER_BUTTON_BACK);
    SDL_GameControllerUpdate();
    pad.Release(SDL_CONTROLLER_BUTTON_BACK);
    SDL_GameControllerUpdate();
    EXPECT_EQ(pads.Poll(), BackPress);
}

TEST_F(GamepadStateTest, PadsArePickedUpAndLetGoWhilePlaying) {
    pads.Poll();
    EXPECT_EQ(pads.PadCount(), 0);
    EXPECT_EQ(KeysDown(pads), std::vector<int>{});

    VirtualPad first;
    pads.Poll();
    EXPECT_EQ(pads.PadCount(), 1) << "plugged in while running";
    VirtualPad second;
    first.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    first.Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    second.Press(SDL_CONTROLLER_BUTTON_A);
    second.Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    pads.Poll();
    EXPECT_EQ(pads.PadCount(), 2);
    EXPECT_EQ(KeysDown(pads), (std::vector<int>{VirtualKey::Shift, VirtualKey::Up, VirtualKey::Right}))
        << "both pads count";

    first.Unplug();
    pads.Poll();
    EXPECT_EQ(pads.PadCount(), 1);
    EXPECT_EQ(KeysDown(pads), (std::vector<int>{VirtualKey::Shift, VirtualKey::Up}))
        << "the unplugged pad holds nothing, the other still does";
    second.Unplug();
    pads.Poll();
    EXPECT_EQ(pads.PadCount(), 0);
    EXPECT_EQ(KeysDown(pads), std::vector<int>{});
}

TEST_F(GamepadStateTest, WithoutTheKeyboardPadsHoldNothingAndPressNothing) {
    VirtualPad pad;
    pads.Poll();
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    pads.Poll();
    ASSERT_EQ(KeysDown(pads), std::vector<int>{VirtualKey::Right});

    hasKeyboard = false;
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(pads.Poll(), NoPress);
    EXPECT_EQ(KeysDown(pads), std::vector<int>{}) << "released when another application takes the keyboard";
    pad.Press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(pads.Poll(), NoPress);

    hasKeyboard = true;
    EXPECT_EQ(pads.Poll(), NoPress) << "presses made in the background are not carried over";
    EXPECT_EQ(KeysDown(pads), std::vector<int>{VirtualKey::Right}) << "what is held counts again";
}

TEST_F(GamepadStateTest, KeyboardAndPadCombine) {
    VirtualPad pad;
    pads.Poll();
    HeldKeys keyboard;
    const CombinedKeyState keys{&keyboard, nullptr, &pads};
    EXPECT_EQ(KeysDown(keys), std::vector<int>{});
    keyboard.down = {VirtualKey::Left, VirtualKey::Control};
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pad.Press(SDL_CONTROLLER_BUTTON_B);
    pads.Poll();
    EXPECT_EQ(KeysDown(keys), (std::vector<int>{VirtualKey::Control, VirtualKey::Space, VirtualKey::Left}));
    keyboard.down.clear();
    EXPECT_EQ(KeysDown(keys), (std::vector<int>{VirtualKey::Space, VirtualKey::Left})) << "the pad alone";
    keyboard.down = {VirtualKey::Left};
    pad.Release(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pad.Release(SDL_CONTROLLER_BUTTON_B);
    pads.Poll();
    EXPECT_EQ(KeysDown(keys), std::vector<int>{VirtualKey::Left}) << "the keyboard alone";
}

} // namespace
} // namespace testing
} // namespace stacklume
