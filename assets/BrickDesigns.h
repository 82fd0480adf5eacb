#pragma once

// The colours and textures the fourteen brick images of each colour scheme are drawn from.

#include <array>
#include <cstdint>
#include <variant>

namespace stacklume {

inline constexpr int BrickImageCount = 14;

struct Rgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

// Base is the average colour inside the outline, Light the top-right area, Dark the bottom-left area.
struct BrickDesign {
    Rgb Base;
    Rgb Light;
    Rgb Dark;
    bool Streaked = false;     // fine vertical streaks, as of brushed metal
    std::uint32_t Texture = 0; // seeds the mottling and the streaks
};

// A red-shades image either reuses a multicoloured picture as it is or is drawn from its own design.
struct SameAsMulticoloured {
    int Index = 0;
};
using RedShadesEntry = std::variant<SameAsMulticoloured, BrickDesign>;

const std::array<BrickDesign, BrickImageCount>& MulticolouredDesigns();
const std::array<RedShadesEntry, BrickImageCount>& RedShadesEntries();

} // namespace stacklume
