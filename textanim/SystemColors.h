#pragma once

// Colour values that name a system colour (high byte 0xFF, the colour's index in the low byte)
// and their resolution through the widget's palette.

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace stacklume {

namespace SystemColor {
inline constexpr std::uint32_t Window = 0xFF000005;
inline constexpr std::uint32_t WindowText = 0xFF000008;
inline constexpr std::uint32_t Highlight = 0xFF00000D;
inline constexpr std::uint32_t HighlightText = 0xFF00000E;
inline constexpr std::uint32_t ButtonFace = 0xFF00000F;
inline constexpr std::uint32_t ButtonShadow = 0xFF000010;
inline constexpr std::uint32_t GrayText = 0xFF000011;
inline constexpr std::uint32_t ButtonText = 0xFF000012;
inline constexpr std::uint32_t ButtonHighlight = 0xFF000014;
inline constexpr std::uint32_t InfoText = 0xFF000017;
inline constexpr std::uint32_t InfoBackground = 0xFF000018;
} // namespace SystemColor

// The plain RGB value of a colour: a system colour takes its current value from the palette
// (an index the palette has no counterpart for gives black, as the original platform's lookup
// does); any other value keeps its three colour bytes.
std::uint32_t ResolveColor(std::uint32_t color, const QPalette& palette);

QColor ToQColor(std::uint32_t rgb);
std::uint32_t FromQColor(const QColor& color);

} // namespace stacklume
