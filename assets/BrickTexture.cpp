#include "BrickTexture.h"

#include <algorithm>

namespace stacklume {

namespace {

constexpr double MottlingDepth = 2.5;
constexpr double StreakDepth = 0.07;
// Streaks change their strength every few rows, so they are not perfectly straight bars.
constexpr int StreakSegment = 5;

// A well-mixed 32-bit hash (Wellons' "lowbias32").
std::uint32_t Mix(std::uint32_t value) {
    value ^= value >> 16;
    value *= 0x7feb352dU;
    value ^= value >> 15;
    value *= 0x846ca68bU;
    value ^= value >> 16;
    return value;
}

// Uniform in [-1, 1], fixed for each (texture, a, b).
double Noise(std::uint32_t texture, int a, int b) {
    const std::uint32_t hash =
        Mix(Mix(Mix(texture) ^ static_cast<std::uint32_t>(a)) ^ static_cast<std::uint32_t>(b));
    return hash / 2147483647.5 - 1.0;
}

} // namespace

double Mottling(std::uint32_t texture, int size, int x, int y) {
    const int block = std::max(2, size / 9);
    return MottlingDepth * Noise(texture, x / block, y / block);
}

double Streaks(std::uint32_t texture, int x, int y) {
    const double column = Noise(texture ^ 0x5eedU, x, -1);
    const double segment = Noise(texture ^ 0x5eedU, x, y / StreakSegment);
    return 1.0 + StreakDepth * (0.7 * column + 0.3 * segment);
}

} // namespace stacklume
