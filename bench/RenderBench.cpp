#include "WellView.h"

#include <benchmark/benchmark.h>

namespace stacklume {
namespace {

// A well of the given size class drawn at a device pixel ratio given in hundredths: 100 for a
// screen at 100 %, 200 for one at 200 %. Its lower half holds settled bricks of every colour.
struct HalfFullWell {
    explicit HalfFullWell(const benchmark::State& state)
        : sizeClass(static_cast<int>(state.range(0))), ratio(static_cast<double>(state.range(1)) / 100),
          images(MakeBrickImages(sizeClass, ratio)) {
        options.SizeClass = sizeClass;
        options.CellPitch = CellPitchForSizeClass(sizeClass);
        options.ActiveImageList = SelectImageList(sizeClass, false);
        view.Resize({12 * options.CellPitch, 20 * options.CellPitch}, ratio, QColor(240, 240, 240));
        for (int row = WellRows / 2; row < WellRows; ++row)
            for (int column = 0; column < WellColumns; ++column)
                well[row][column] = 1 + (row * WellColumns + column) % 13;
    }

    const int sizeClass;
    const double ratio;
    const BrickImageLists images;
    WellView view{images};
    GameOptions options;
    Well well{};
    Piece piece{{{{0, 1, 0, 0}, {0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}}}, 5, 3, 2};
};

void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (const int sizeClass : {0, 2})
        for (const int ratio : {100, 150, 200})
            benchmark->Args({sizeClass, ratio});
}

// The whole well drawn again, as after a change of colour scheme, background or ratio: the
// scheme changes at every frame.
void BM_RenderWholeFrame(benchmark::State& state) {
    HalfFullWell half(state);
    bool redShades = false;
    for (auto _ : state) {
        redShades = !redShades;
        half.options.ActiveImageList = SelectImageList(half.sizeClass, redShades);
        half.view.RenderFrame(&half.piece, half.well, half.options);
        benchmark::DoNotOptimize(half.view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_RenderWholeFrame)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// A typical tick that draws: the piece a row lower, so the cells it left and entered are drawn
// again and nothing else.
void BM_RenderPieceFalling(benchmark::State& state) {
    HalfFullWell half(state);
    half.view.RenderFrame(&half.piece, half.well, half.options);
    for (auto _ : state) {
        half.piece.Y = half.piece.Y == 3 ? 4 : 3;
        half.view.RenderFrame(&half.piece, half.well, half.options);
        benchmark::DoNotOptimize(half.view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_RenderPieceFalling)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// A tick in which nothing moved, as most are.
void BM_RenderUnchangedFrame(benchmark::State& state) {
    HalfFullWell half(state);
    half.view.RenderFrame(&half.piece, half.well, half.options);
    for (auto _ : state) {
        half.view.RenderFrame(&half.piece, half.well, half.options);
        benchmark::DoNotOptimize(half.view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_RenderUnchangedFrame)->Args({2, 100})->Args({2, 200})->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace stacklume
