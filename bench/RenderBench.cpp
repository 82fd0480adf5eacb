#include "WellView.h"

#include <benchmark/benchmark.h>

namespace stacklume {
namespace {

struct FullWell {
    explicit FullWell(int sizeClass) {
        options.SizeClass = sizeClass;
        options.CellPitch = CellPitchForSizeClass(sizeClass);
        options.ActiveImageList = SelectImageList(sizeClass, false);
        view.Resize({12 * options.CellPitch, 20 * options.CellPitch}, QColor(240, 240, 240));
        for (int row = 0; row < WellRows; ++row)
            for (int column = 0; column < WellColumns; ++column)
                well[row][column] = 1 + (row * WellColumns + column) % 13;
    }

    const BrickImageLists images = MakeBrickImages();
    WellView view{images};
    GameOptions options;
    Well well{};
    Piece piece{{{{0, 1, 0, 0}, {0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}}}, 5, 3, 2};
};

// One frame of a well full of bricks with the falling piece, at each window size; the piece moves
// every frame, so each one is drawn whole.
void BM_RenderFrame(benchmark::State& state) {
    FullWell full(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        full.piece.X = full.piece.X == 5 ? 4 : 5;
        full.view.RenderFrame(&full.piece, full.well, full.options);
        benchmark::DoNotOptimize(full.view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_RenderFrame)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A tick in which nothing moved, as most are.
void BM_RenderUnchangedFrame(benchmark::State& state) {
    FullWell full(static_cast<int>(state.range(0)));
    full.view.RenderFrame(&full.piece, full.well, full.options);
    for (auto _ : state) {
        full.view.RenderFrame(&full.piece, full.well, full.options);
        benchmark::DoNotOptimize(full.view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_RenderUnchangedFrame)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace stacklume
