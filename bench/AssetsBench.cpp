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

} // namespace
} // namespace stacklume
