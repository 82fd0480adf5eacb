// Runs the engine for a long time on random input and checks the rules of play after every tick,
// far beyond what the test suite can afford. Not a test: run it by hand or with `make soak`.
//
// Usage: engine_soak [ticks] [seed]   (default: ten million ticks, a seed from the clock)

#include "RandomRun.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// A count or seed from the command line; nothing but digits is accepted.
bool ParseNumber(const char* text, unsigned long long& number) {
    const std::string digits(text);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 19)
        return false;
    number = std::strtoull(text, nullptr, 10);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    unsigned long long ticks = 10'000'000;
    unsigned long long seed = static_cast<unsigned long long>(std::time(nullptr));
    if (argc > 3 || (argc > 1 && !ParseNumber(argv[1], ticks)) || (argc > 2 && !ParseNumber(argv[2], seed))) {
        std::fprintf(stderr, "usage: %s [ticks] [seed]\n", argv[0]);
        return 2;
    }
    const auto seed32 = static_cast<std::uint32_t>(seed);
    std::printf("engine soak: %llu ticks, seed %u\n", ticks, seed32);
    std::fflush(stdout);

    stacklume::testing::RandomRun run(seed32);
    const auto start = std::chrono::steady_clock::now();
    for (unsigned long long tick = 0; tick < ticks; ++tick) {
        if (const std::optional<std::string> broken = run.Step()) {
            std::fprintf(stderr, "FAILED: %s (seed %u)\n", broken->c_str(), seed32);
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("passed: %llu ticks, %d games ended, %.1f s, %.0f ticks/s\n",
                static_cast<unsigned long long>(run.Ticks()), run.Games(), seconds, run.Ticks() / seconds);
    return 0;
}
