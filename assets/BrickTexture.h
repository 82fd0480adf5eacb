#pragma once

// The faint texture laid over a brick's gradient. It comes from a hash of the pixel position and
// the design's texture number, so every start draws exactly the same bricks.

#include <cstdint>

namespace stacklume {

// Levels (about -2.5..2.5) added to every channel: blocks of a few pixels, each a little
// lighter or darker than its neighbours.
double Mottling(std::uint32_t texture, int size, int x, int y);

// Factor (about 0.9..1.1) for fine vertical streaks, as of brushed metal.
double Streaks(std::uint32_t texture, int x, int y);

} // namespace stacklume
