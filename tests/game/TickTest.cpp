#include "FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace stacklume::testing {
namespace {

class TickTest : public ::testing::Test, public GameFixture {
protected:
    // Column of the piece after each of `count` ticks.
    std::vector<int> ColumnsOver(int count) {
        std::vector<int> columns;
        for (int i = 0; i < count; ++i) {
            Tick();
            columns.push_back(game.CurrentPiece().X);
        }
        return columns;
    }

    // Ticks until the piece first touches down; returns the clock at that tick.
    std::uint32_t TickUntilFirstContact(std::uint32_t step = 45) {
        for (int i = 0; i < 1000 && !game.Values().Landing; ++i)
            EXPECT_FALSE(Tick(step));
        EXPECT_TRUE(game.Values().Landing);
        return clock;
    }

    // Ticks until the piece locks; returns the clock at that tick.
    std::uint32_t TickUntilLock(std::uint32_t step = 45) {
        for (int i = 0; i < 1000; ++i)
            if (Tick(step))
                return clock;
        ADD_FAILURE() << "the piece never locked";
        return clock;
    }
};

TEST_F(TickTest, LaterKeysInTheTableWin) {
    UsePiece(Upright, 5, 0);
    keys.Hold({VirtualKey::Left, VirtualKey::Right});
    Tick();
    EXPECT_EQ(game.CurrentPiece().X, 6) << "right beats left";

    // The down arrow in rotation mode beats Space: the piece turns instead of dropping.
    keys.ReleaseAll();
    game.Options().DownArrowMode = DownArrowRotation;
    keys.Hold({VirtualKey::Space, VirtualKey::Down});
    for (int i = 0; i < 6; ++i)
        Tick();
    EXPECT_LT(game.CurrentPiece().Y, 5);
    EXPECT_EQ(game.CurrentPiece().Shape, ShapeFromDrawing("....####........"));

    // In fast-drop mode it drops, beating Up.
    keys.ReleaseAll();
    game.Options().DownArrowMode = DownArrowFastDrop;
    keys.Hold({VirtualKey::Up, VirtualKey::Down});
    Tick();
    EXPECT_EQ(game.CurrentPiece().Y, 17) << "flat piece resting on the floor";
    EXPECT_FALSE(game.Values().Landing) << "a drop does not start the landing delay";
}

TEST_F(TickTest, HeldUpTurnsOnceEveryFifthTick) {
    UsePiece(Upright, 5, 0);
    keys.Hold({VirtualKey::Up});
    std::vector<int> turns;
    PieceShape last = game.CurrentPiece().Shape;
    for (int tick = 1; tick <= 21; ++tick) {
        Tick();
        if (game.CurrentPiece().Shape != last)
            turns.push_back(tick);
        last = game.CurrentPiece().Shape;
    }
    EXPECT_EQ(turns, (std::vector<int>{6, 11, 16, 21}));
}

TEST_F(TickTest, HeldSidewaysKeyWaitsForTheLatencyThenRepeatsEveryTick) {
    game.Options().LateralLatency = LateralLatencyLong;
    UsePiece(Upright, 0, 0);
    keys.Hold({VirtualKey::Right});
    EXPECT_EQ(ColumnsOver(9), (std::vector<int>{1, 1, 1, 1, 1, 2, 3, 4, 5}));

    // A tick without a command key starts the wait again.
    keys.ReleaseAll();
    Tick();
    keys.Hold({VirtualKey::Left});
    EXPECT_EQ(ColumnsOver(3), (std::vector<int>{4, 4, 4}));
}

TEST_F(TickTest, ChangingDirectionWithoutAPauseKeepsTheRepeat) {
    UsePiece(Upright, 8, 0);
    keys.Hold({VirtualKey::Left});
    EXPECT_EQ(ColumnsOver(10), (std::vector<int>{7, 7, 7, 7, 6, 5, 4, 3, 2, 1}));
    keys.ReleaseAll();
    keys.Hold({VirtualKey::Right});
    EXPECT_EQ(ColumnsOver(3), (std::vector<int>{2, 3, 4}));
}

TEST_F(TickTest, RotationNeitherCountsNorResetsTheSidewaysHold) {
    UsePiece(Upright, 8, 0);
    keys.Hold({VirtualKey::Left});
    ColumnsOver(2);
    EXPECT_EQ(game.Ticks().LateralHeld, 2);
    keys.Hold({VirtualKey::Up});
    Tick();
    EXPECT_EQ(game.Ticks().LateralHeld, 2);
    keys.Release(VirtualKey::Up);
    EXPECT_EQ(ColumnsOver(1), (std::vector<int>{7})) << "still waiting: no fresh step";
}

TEST_F(TickTest, SlowDropSwitchesTheTimerAndFallsEveryTick) {
    game.Options().FallInterval = FallIntervalVerySlow;
    UsePiece(Upright, 5, 0);
    for (int key : {VirtualKey::Shift, VirtualKey::Control, VirtualKey::End}) {
        keys.Hold({key});
        const int y = game.CurrentPiece().Y;
        Tick(20);
        Tick(20);
        EXPECT_EQ(game.CurrentPiece().Y, y + 2) << key;
        keys.ReleaseAll();
        Tick();
    }
    EXPECT_EQ(host.intervals, (std::vector<int>{20, 45, 20, 45, 20, 45}));

    // The down arrow drops slowly only in "Drop" mode.
    game.Options().DownArrowMode = DownArrowDrop;
    keys.Hold({VirtualKey::Down});
    const int y = game.CurrentPiece().Y;
    Tick(20);
    Tick(20);
    Tick(20);
    EXPECT_EQ(game.CurrentPiece().Y, y + 3);
    keys.ReleaseAll();
    game.Options().DownArrowMode = DownArrowFastDrop;
    Tick();
    EXPECT_EQ(host.intervals.back(), 45);
}

TEST_F(TickTest, FallPeriodFollowsTheSpeedLevel) {
    const std::vector<std::pair<int, int>> periods{{FallIntervalVerySlow, 9},
                                                   {FallIntervalSlow, 6},
                                                   {FallIntervalMedium, 4},
                                                   {FallIntervalFast, 3},
                                                   {FallIntervalVeryFast, 2}};
    for (auto [interval, period] : periods) {
        game.Options().FallInterval = interval;
        UsePiece(Upright, 5, -3);
        // Settle the counter on a fall step first.
        for (int i = 0; i < 10 && game.CurrentPiece().Y == -3; ++i)
            Tick();
        const int y = game.CurrentPiece().Y;
        for (int i = 0; i < 2 * period; ++i)
            Tick();
        EXPECT_EQ(game.CurrentPiece().Y, y + 2) << interval;
        Tick();
        EXPECT_EQ(game.CurrentPiece().Y, y + 2) << interval;
    }
}

TEST_F(TickTest, UntouchedPieceLocksOnTheFirstFallStepAfterTheGraceTime) {
    UsePiece(Square, 4, 12);
    const std::uint32_t contact = TickUntilFirstContact();
    EXPECT_EQ(host.sounds, (std::vector<Sound>{Sound::Knock}));
    EXPECT_EQ(game.CurrentPiece().Y, 16) << "back where it rested";
    EXPECT_EQ(TickUntilLock() - contact, 720u) << "four fall periods at Medium";
    EXPECT_EQ(game.CurrentWell()[18][5], 4);
    EXPECT_FALSE(game.Values().Landing);

    game.Options().FallInterval = FallIntervalVerySlow;
    UsePiece(Square, 0, 12);
    const std::uint32_t slowContact = TickUntilFirstContact();
    EXPECT_EQ(TickUntilLock() - slowContact, 810u) << "two fall periods at Very slow";
}

TEST_F(TickTest, SlowDropDoesNotShortenTheGraceTime) {
    UsePiece(Square, 4, 12);
    keys.Hold({VirtualKey::Shift});
    const std::uint32_t contact = TickUntilFirstContact(20);
    EXPECT_EQ(TickUntilLock(20) - contact, 700u);
}

TEST_F(TickTest, GraceTimeIsMeasuredAcrossTheWrapOfTheTickCount) {
    clock = 0xFFFFFF00u;
    UsePiece(Square, 4, 12);
    const std::uint32_t contact = TickUntilFirstContact();
    EXPECT_EQ(static_cast<std::uint32_t>(TickUntilLock() - contact), 720u);
}

TEST_F(TickTest, SlidingTwoColumnsFromTheFirstContactLocksAtTheNextFallStep) {
    UsePiece(Square, 4, 12);
    const std::uint32_t contact = TickUntilFirstContact();
    keys.Hold({VirtualKey::Left});
    Tick(); // one column: still floating
    keys.ReleaseAll();
    Tick();
    EXPECT_EQ(game.CurrentPiece().X, 3);
    keys.Hold({VirtualKey::Left});
    Tick(); // a second column
    keys.ReleaseAll();
    EXPECT_EQ(game.CurrentPiece().X, 2);
    EXPECT_TRUE(Tick()) << "the next fall step locks at once";
    EXPECT_EQ(clock - contact, 180u);
}

TEST_F(TickTest, OneColumnOnTheGroundDoesNotLockEarly) {
    UsePiece(Square, 4, 12);
    const std::uint32_t contact = TickUntilFirstContact();
    keys.Hold({VirtualKey::Right});
    Tick();
    keys.ReleaseAll();
    EXPECT_EQ(TickUntilLock() - contact, 720u);
}

TEST_F(TickTest, HeldHardDropUndoesEveryFallStepUntilReleased) {
    UsePiece(Square, 4, 0);
    keys.Hold({VirtualKey::Space});
    for (int i = 0; i < 100; ++i)
        ASSERT_FALSE(Tick());
    EXPECT_EQ(game.CurrentPiece().Y, 16);
    EXPECT_FALSE(game.Values().Landing);
    EXPECT_TRUE(host.sounds.empty());

    keys.ReleaseAll();
    const std::uint32_t contact = TickUntilFirstContact();
    EXPECT_GE(TickUntilLock() - contact, 700u);
}

TEST_F(TickTest, KnockOnlyWhenSoundIsOn) {
    game.Options().SoundOn = false;
    UsePiece(Square, 4, 14);
    TickUntilFirstContact();
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(TickTest, APieceThatCouldNeverLandMakesWayForTheNextOneAtTheTop) {
    // No piece chosen yet, a piece below the floor, a piece beside the well.
    for (const Piece stuck : {Piece{}, Piece{ShapeFromDrawing(Square), 5, WellRows, 4},
                              Piece{ShapeFromDrawing(Square), -3, 5, 4}}) {
        game.CurrentPiece() = stuck;
        EXPECT_FALSE(Tick());
        const Piece& next = game.CurrentPiece();
        EXPECT_FALSE(IsEmptyShape(next.Shape));
        EXPECT_EQ(next.X, 5);
        EXPECT_LE(next.Y, 0);
        TickUntilLock();
        const auto& bottom = game.CurrentWell()[FloorRow - 1];
        EXPECT_TRUE(std::any_of(bottom.begin(), bottom.end(), [](int cell) { return cell > 0; }))
            << "it landed";
        game.ClearWell();
    }
}

} // namespace
} // namespace stacklume::testing
