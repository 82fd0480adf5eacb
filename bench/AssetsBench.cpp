#include "BrickImages.h"

#include <benchmark/benchmark.h>

namespace stacklume {
namespace {

// All 84 brick images, as drawn once at start-up.
void BM_MakeBrickImages(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeBrickImages());
}
BENCHMARK(BM_MakeBrickImages)->Unit(benchmark::kMillisecond);

// The 28 images a window of the largest size makes at start-up, at 100 % and at 200 %.
void BM_MakeBrickImagesOfOneClass(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeBrickImages(2, static_cast<double>(state.range(0)) / 100));
}
BENCHMARK(BM_MakeBrickImagesOfOneClass)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace stacklume
