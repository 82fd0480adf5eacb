#include "Game.h"

#include <benchmark/benchmark.h>

namespace stacklume {
namespace {

class SilentHost : public GameHost {
public:
    void PlaySound(Sound) override {}
    void SetTickInterval(int) override {}
    void GameOver(std::int32_t, bool) override {}
};

class HeldKeys : public KeyState {
public:
    bool IsDown(int virtualKey) const override {
        return virtualKey == VirtualKey::Left || virtualKey == VirtualKey::Up;
    }
};

// A well filled to mid-height with ragged rows, none of them full.
void FillBusyWell(Game& game) {
    game.ClearWell();
    for (int row = 9; row < FloorRow; ++row)
        for (int column = 0; column < WellColumns; ++column)
            game.CurrentWell()[row][column] = (row + column) % 5 == 0 ? 0 : 2 + (row + column) % 12;
}

void BM_Tick(benchmark::State& state) {
    SilentHost host;
    HeldKeys keys;
    Game game(host);
    game.SeedRandom(1);
    FillBusyWell(game);
    game.ChooseNextPiece();
    std::uint32_t clock = 0;
    for (auto _ : state) {
        // Keep the piece high in the well so every tick is a plain moving tick.
        if (game.CurrentPiece().Y > 3)
            game.PlaceAtTop();
        benchmark::DoNotOptimize(game.Tick(keys, clock += 45));
    }
}
BENCHMARK(BM_Tick);

void BM_LockPiece(benchmark::State& state) {
    SilentHost host;
    Game game(host);
    game.SeedRandom(1);
    for (auto _ : state) {
        state.PauseTiming();
        game.ClearWell();
        for (int row = 15; row < FloorRow; ++row)
            for (int column = 0; column < WellColumns - 1; ++column)
                game.CurrentWell()[row][column] = 5;
        Piece& piece = game.CurrentPiece();
        piece.Shape = {};
        for (auto& boxRow : piece.Shape)
            boxRow[3] = 1;
        piece.X = 8;
        piece.Y = 16;
        state.ResumeTiming();
        game.LockPiece();
    }
}
BENCHMARK(BM_LockPiece);

} // namespace
} // namespace stacklume
