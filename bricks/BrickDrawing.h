#pragma once

// A personalized brick as the editor holds it: a 4 x 4 box of cells, filled or not, and the
// rules that carry it to and from its pattern text.

#include "GameTypes.h"

#include <array>
#include <string>
#include <string_view>

namespace stacklume {

// [row][column], row 0 at the top; true is a filled cell.
using BrickDrawing = std::array<std::array<bool, BoxSize>, BoxSize>;

inline constexpr std::size_t PatternLength = BoxSize * BoxSize;

// The cells a pattern text shows: a character whose code is above that of "0" is filled ("1" to
// "9", letters and anything beyond ASCII); "0", blanks and most punctuation are empty, and so are
// the positions beyond the end of a shorter text.
BrickDrawing DrawingFromPattern(std::string_view pattern);

// Writes the drawing into the first 16 characters of the pattern, "1" filled and "0" empty; any
// characters after those stay. A shorter pattern is first lengthened with "0".
void SaveDrawingInto(const BrickDrawing& drawing, std::string& pattern);

// Moves the drawing to the middle of its box: afterwards the empty columns on the left and on
// the right differ by at most one, the spare one on the right, and likewise the empty rows
// above and below, the spare one below. Lines move with wrap-around, and only empty lines
// ever wrap, so the drawing keeps its shape. An empty drawing stays as it is.
void CentreCells(BrickDrawing& drawing);

} // namespace stacklume
