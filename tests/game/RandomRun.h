#pragma once

#include "FakeHost.h"
#include "Moves.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace stacklume::testing {

// A player hammering keys and menus at random, with a clock that jumps and wraps, and the rules
// every tick must keep: the floor stays whole, every cell is an image index, the piece overlaps
// no brick after a tick that did not lock (unless it entered over a well filled to the top), and
// the score never falls within a game. An ended game is followed by a new one. The same seed
// replays the same run, so a broken rule can be replayed.
class RandomRun {
public:
    explicit RandomRun(std::uint32_t seed) : chaos_(seed) { f_.clock = 0xFFF00000u; }

    // One tick of random input; what broke, or nothing when every rule holds.
    std::optional<std::string> Step() {
        PressAndReleaseKeys();
        ChangePreferences();
        const bool locked = f_.Tick(Chance(5) ? chaos_() : chaos_() % 60);
        std::optional<std::string> broken = BrokenRule(locked);
        ++ticks_;
        return broken;
    }

    std::uint64_t Ticks() const { return ticks_; }
    int Games() const { return games_; }

private:
    bool Chance(int inThousand) { return static_cast<int>(chaos_() % 1000) < inThousand; }

    void PressAndReleaseKeys() {
        static constexpr std::array<int, 9> keyCodes{
            VirtualKey::Left,   VirtualKey::Right, VirtualKey::Up,    VirtualKey::Down,   VirtualKey::Space,
            VirtualKey::Delete, VirtualKey::End,   VirtualKey::Shift, VirtualKey::Control};
        for (int key : keyCodes)
            if (Chance(key == VirtualKey::Space || key == VirtualKey::Delete ? 3 : 30)) {
                if (f_.keys.IsDown(key))
                    f_.keys.Release(key);
                else
                    f_.keys.Hold({key});
            }
    }

    void ChangePreferences() {
        static constexpr std::array<int, 5> speeds{FallIntervalVerySlow, FallIntervalSlow, FallIntervalMedium,
                                                   FallIntervalFast, FallIntervalVeryFast};
        static const std::array<std::string, 4> patterns{"0000000000000000", "1111111111111111",
                                                         "1000000000000001", "0110011000000000"};
        if (Chance(2)) {
            GameOptions& options = f_.game.Options();
            options.FallInterval = speeds[chaos_() % speeds.size()];
            options.DownArrowMode = static_cast<int>(chaos_() % 3);
            options.LateralLatency = 2 + static_cast<int>(chaos_() % 3);
            options.KindCount = Chance(500) ? 12 : 8;
            options.SoundOn = Chance(500);
        }
        if (Chance(1))
            f_.game.ApplyPersonalizedBricks({patterns[chaos_() % 4], patterns[chaos_() % 4],
                                             patterns[chaos_() % 4], patterns[chaos_() % 4]});
    }

    std::optional<std::string> BrokenRule(bool locked) {
        const auto at = [this](const char* rule) {
            return std::string(rule) + " at tick " + std::to_string(ticks_);
        };
        const Well& well = f_.game.CurrentWell();
        for (int column = 0; column < WellColumns; ++column)
            if (well[FloorRow][column] != FloorImage)
                return at("the floor is broken");
        for (const auto& row : well)
            for (auto cell : row)
                if (cell < 0 || cell >= ImagesPerList)
                    return at("a cell holds no image index");
        const Piece& piece = f_.game.CurrentPiece();
        const bool ended = f_.host.gameOvers.size() != gameOvers_;
        // A piece may only overlap bricks when it entered over a well filled to the top; once it
        // has been free, every move is tested and it stays free.
        const bool overlaps = Collides(well, piece.Shape, piece.X, piece.Y);
        if (locked)
            enteredOverTheTop_ = overlaps;
        else if (!overlaps)
            enteredOverTheTop_ = false;
        if (!locked && !ended && overlaps && !enteredOverTheTop_)
            return at("the piece overlaps bricks");
        if (!ended && f_.game.Values().Score < lastScore_)
            return at("the score fell");
        lastScore_ = f_.game.Values().Score;
        if (ended) {
            gameOvers_ = f_.host.gameOvers.size();
            f_.game.NewGame(chaos_(), 0);
            lastScore_ = 0;
            enteredOverTheTop_ = false;
            ++games_;
        }
        return std::nullopt;
    }

    GameFixture f_;
    std::mt19937 chaos_;
    std::int32_t lastScore_ = 0;
    std::size_t gameOvers_ = 0;
    bool enteredOverTheTop_ = false;
    int games_ = 0;
    std::uint64_t ticks_ = 0;
};

} // namespace stacklume::testing
