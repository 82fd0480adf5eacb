#pragma once

// The caption's sizes are counted in points, but the game lays out in screen pixels whatever
// the screen's DPI setting: a point is always 96/72 of a pixel here.

#include <QFont>

namespace stacklume {

// Fonts are kept within what a caption can sensibly show; larger requests are drawn at this size.
inline constexpr int MaxFontPixels = 4096;

// Rounded, and at least one pixel.
int PixelsForPoints(int points);
// Rounded, so that a size in points survives the trip through pixels (10 points are 13 pixels
// and 13 pixels are 10 points; a 15-pixel font counts as 11 points).
int PointsForPixels(int pixels);
// The font's size in points: from its pixel size if it has one, else its point size, rounded.
int PointsOfFont(const QFont& font);
// A copy of the font at the given size.
QFont FontAtPoints(const QFont& font, int points);

} // namespace stacklume
