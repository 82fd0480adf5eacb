#pragma once

#include "Game.h"
#include "PieceKinds.h"

#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace stacklume::testing {

// Records what the engine asks of the window; can make the end of the game fail.
class FakeHost : public GameHost {
public:
    void PlaySound(Sound sound) override { sounds.push_back(sound); }
    void SetTickInterval(int milliseconds) override { intervals.push_back(milliseconds); }
    void GameOver(std::int32_t score, bool alreadyShown) override {
        gameOvers.push_back({score, alreadyShown});
        if (failGameOver)
            throw std::runtime_error("results.ini cannot be read");
    }

    struct GameOverCall {
        std::int32_t score;
        bool alreadyShown;
    };
    std::vector<Sound> sounds;
    std::vector<int> intervals;
    std::vector<GameOverCall> gameOvers;
    bool failGameOver = false;
};

class FakeKeys : public KeyState {
public:
    bool IsDown(int virtualKey) const override { return down.count(virtualKey) != 0; }
    void Hold(std::initializer_list<int> keys) { down.insert(keys); }
    void Release(int key) { down.erase(key); }
    void ReleaseAll() { down.clear(); }
    std::set<int> down;
};

// A game on a fresh, cleared well with a chosen piece, and a clock that moves 45 ms a tick.
class GameFixture {
public:
    GameFixture() {
        game.ClearWell();
        game.SeedRandom(1);
        game.ChooseNextPiece();
    }

    void UsePiece(std::string_view drawing, int x, int y, int image = 4) {
        Piece& piece = game.CurrentPiece();
        piece.Shape = ShapeFromDrawing(drawing);
        piece.X = x;
        piece.Y = y;
        piece.Image = image;
    }

    void FillRow(int row, int gapColumn = -1, int image = 2) {
        for (int c = 0; c < WellColumns; ++c)
            game.CurrentWell()[row][c] = c == gapColumn ? 0 : image;
    }

    // Advances the clock, then runs one tick.
    bool Tick(std::uint32_t milliseconds = 45) {
        clock += milliseconds;
        return game.Tick(keys, clock);
    }

    FakeHost host;
    FakeKeys keys;
    Game game{host};
    std::uint32_t clock = 100000;
};

inline constexpr std::string_view Upright = ".#...#...#...#.."; // kind 7
inline constexpr std::string_view Square = ".....##..##.....";  // kind 4

} // namespace stacklume::testing
