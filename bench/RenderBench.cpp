#include "WellView.h"

#include <benchmark/benchmark.h>

namespace stacklume {
namespace {

// One frame of a well full of bricks with the falling piece, at each window size.
void BM_RenderFrame(benchmark::State& state) {
    const int sizeClass = static_cast<int>(state.range(0));
    const BrickImageLists images = MakeBrickImages();
    WellView view(images);
    GameOptions options;
    options.SizeClass = sizeClass;
    options.CellPitch = CellPitchForSizeClass(sizeClass);
    options.ActiveImageList = SelectImageList(sizeClass, false);
    view.Resize({12 * options.CellPitch, 20 * options.CellPitch}, QColor(240, 240, 240));
    Well well{};
    for (int row = 0; row < WellRows; ++row)
        for (int column = 0; column < WellColumns; ++column)
            well[row][column] = 1 + (row * WellColumns + column) % 13;
    Piece piece{{{{0, 1, 0, 0}, {0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}}}, 5, 3, 2};
    for (auto _ : state) {
        view.RenderFrame(&piece, well, options);
        benchmark::DoNotOptimize(view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_RenderFrame)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace stacklume
