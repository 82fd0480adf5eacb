#pragma once

// Colours are 32-bit values with red in the low byte, then green, then blue. The high byte is 0
// for a plain colour; 0xFF marks a system colour, resolved by the widget layer.

#include <cstdint>

namespace stacklume {

constexpr std::uint32_t MakeRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red | (std::uint32_t{green} << 8) | (std::uint32_t{blue} << 16);
}

constexpr std::uint8_t RedOf(std::uint32_t color) { return color & 0xFF; }
constexpr std::uint8_t GreenOf(std::uint32_t color) { return (color >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(std::uint32_t color) { return (color >> 16) & 0xFF; }

constexpr bool IsSystemColor(std::uint32_t color) { return (color >> 24) == 0xFF; }

} // namespace stacklume
