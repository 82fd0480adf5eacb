#include "FakeHost.h"
#include "Moves.h"

#include <gtest/gtest.h>

#include <random>

namespace stacklume::testing {
namespace {

// A million ticks of a player hammering keys and menus, with a clock that jumps and wraps.
// The seed is fixed so that a failure replays.
TEST(RandomRunTest, InvariantsHoldOverAMillionTicks) {
    GameFixture f;
    std::mt19937 chaos(20261208);
    auto chance = [&chaos](int inThousand) { return static_cast<int>(chaos() % 1000) < inThousand; };
    const std::array<int, 9> keyCodes{VirtualKey::Left, VirtualKey::Right, VirtualKey::Up,
                                      VirtualKey::Down, VirtualKey::Space, VirtualKey::Delete,
                                      VirtualKey::End,  VirtualKey::Shift, VirtualKey::Control};
    const std::array<int, 5> speeds{FallIntervalVerySlow, FallIntervalSlow, FallIntervalMedium,
                                    FallIntervalFast, FallIntervalVeryFast};
    const std::array<std::string, 4> patterns{"0000000000000000", "1111111111111111", "1000000000000001",
                                              "0110011000000000"};
    f.clock = 0xFFF00000u;
    std::int32_t lastScore = 0;
    std::size_t gameOvers = 0;
    int games = 0;
    bool enteredOverTheTop = false;
    for (int tick = 0; tick < 1'000'000; ++tick) {
        for (int key : keyCodes)
            if (chance(key == VirtualKey::Space || key == VirtualKey::Delete ? 3 : 30)) {
                if (f.keys.IsDown(key))
                    f.keys.Release(key);
                else
                    f.keys.Hold({key});
            }
        if (chance(2)) {
            GameOptions& options = f.game.Options();
            options.FallInterval = speeds[chaos() % speeds.size()];
            options.DownArrowMode = static_cast<int>(chaos() % 3);
            options.LateralLatency = 2 + static_cast<int>(chaos() % 3);
            options.KindCount = chance(500) ? 12 : 8;
            options.SoundOn = chance(500);
        }
        if (chance(1))
            f.game.ApplyPersonalizedBricks(
                {patterns[chaos() % 4], patterns[chaos() % 4], patterns[chaos() % 4], patterns[chaos() % 4]});

        const bool locked = f.Tick(chance(5) ? chaos() : chaos() % 60);

        const Well& well = f.game.CurrentWell();
        for (int column = 0; column < WellColumns; ++column)
            ASSERT_EQ(well[FloorRow][column], FloorImage) << "tick " << tick;
        for (const auto& row : well)
            for (auto cell : row)
                ASSERT_TRUE(cell >= 0 && cell < ImagesPerList) << "tick " << tick;
        const Piece& piece = f.game.CurrentPiece();
        const bool ended = f.host.gameOvers.size() != gameOvers;
        // A piece may only overlap bricks when it entered over a well filled to the top; once it
        // has been free, every move is tested and it stays free.
        const bool overlaps = Collides(well, piece.Shape, piece.X, piece.Y);
        if (locked)
            enteredOverTheTop = overlaps;
        else if (!overlaps)
            enteredOverTheTop = false;
        if (!locked && !ended) {
            ASSERT_TRUE(!overlaps || enteredOverTheTop) << "tick " << tick;
        }
        if (!ended) {
            ASSERT_GE(f.game.Values().Score, lastScore) << "tick " << tick;
        }
        lastScore = f.game.Values().Score;
        if (ended) {
            gameOvers = f.host.gameOvers.size();
            f.game.NewGame(chaos(), 0);
            lastScore = 0;
            enteredOverTheTop = false;
            ++games;
        }
    }
    EXPECT_GT(games, 10) << "the run should have ended many games";
}

} // namespace
} // namespace stacklume::testing
