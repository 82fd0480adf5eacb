#include "FakePlatform.h"
#include "GamepadState.h"
#include "MainWindow.h"
#include "PiecePosition.h"
#include "VirtualPad.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace stacklume::testing {
namespace {

PlatformServices WithPads(PlatformServices services, GamepadState& pads) {
    services.Gamepad = &pads;
    return services;
}

double DayFraction(QTime time) { return time.msecsSinceStartOfDay() / 86'400'000.0; }

// The main window played with one pad, the application having the keyboard.
class MainWindowGamepadTest : public ::testing::Test {
protected:
    MainWindowGamepadTest() { window.StartPlay(); }

    void Tick() {
        platform.tickCount += 45;
        window.Timer1Timer();
    }

    // Runs the window's own timers until the condition holds, within a generous deadline.
    static bool WaitFor(const std::function<bool()>& condition) {
        const QDeadlineTimer deadline(10'000);
        while (!condition() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return condition();
    }

    FakePlatform platform;
    GamepadState pads{[] { return true; }};
    VirtualPad pad;
    MainWindow window{WithPads(platform.services, pads)};
};

TEST_F(MainWindowGamepadTest, RightOnThePadMovesThePieceToTheWall) {
    Tick();
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(RightmostColumn(window.GetGame().CurrentPiece()), 11);
}

TEST_F(MainWindowGamepadTest, StartPausesAndResumes) {
    Tick();
    const TickState before = window.GetGame().Ticks();
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    Tick();
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_FALSE(window.Timer2->isActive());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Stacklume - Pause"));
    EXPECT_EQ(window.GetGame().Ticks().FallCounter, before.FallCounter) << "the pausing tick does not play";

    // Let go and pressed again; only the slow reading of the standing game can see it.
    pad.Release(SDL_CONTROLLER_BUTTON_START);
    SDL_GameControllerUpdate();
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(WaitFor([this] { return window.Timer1->isActive(); }));
    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Stacklume"));
}

TEST_F(MainWindowGamepadTest, BackStartsANewGameEvenWhilePaused) {
    Tick();
    window.pause1Click();
    platform.timeOfDay = QTime(15, 0, 0);
    pad.Press(SDL_CONTROLLER_BUTTON_BACK);
    ASSERT_TRUE(WaitFor([this] { return window.Timer1->isActive(); }));
    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_EQ(window.GetGame().Values().StartTime, DayFraction(platform.timeOfDay));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Stacklume - Pause")) << "as F9 leaves it";
}

TEST_F(MainWindowGamepadTest, PadsHaveATimerOfTheirOwnOnlyWhileTheGameStandsStill) {
    const auto* idlePadTimer = window.findChild<QTimer*>(QStringLiteral("IdlePadTimer"));
    ASSERT_NE(idlePadTimer, nullptr);
    EXPECT_FALSE(idlePadTimer->isActive()) << "the tick reads them";
    window.pause1Click();
    EXPECT_TRUE(idlePadTimer->isActive());
    window.pause1Click();
    EXPECT_FALSE(idlePadTimer->isActive());
}

} // namespace
} // namespace stacklume::testing
