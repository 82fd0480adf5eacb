#include "RandomRun.h"

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

// A million ticks of a player hammering keys and menus, with a clock that jumps and wraps.
// The seed is fixed so that a failure replays.
TEST(RandomRunTest, InvariantsHoldOverAMillionTicks) {
    RandomRun run(20261208);
    for (int tick = 0; tick < 1'000'000; ++tick) {
        const std::optional<std::string> broken = run.Step();
        ASSERT_FALSE(broken.has_value()) << *broken;
    }
    EXPECT_GT(run.Games(), 10) << "the run should have ended many games";
}

} // namespace
} // namespace stacklume::testing
