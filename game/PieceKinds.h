#pragma once

#include "GameTypes.h"

#include <string_view>

namespace stacklume {

// The twelve kinds as the program starts: the eight standard pieces, then the four
// personalized bricks still holding their built-in pattern.
PieceKinds InitialPieceKinds();

// A drawing of the box, row by row: "#" filled, anything else empty.
PieceShape ShapeFromDrawing(std::string_view drawing);

// A pattern text of 16 characters, row by row: "0" is empty, any other character filled.
// Positions beyond the end of a shorter text are empty.
PieceShape ShapeFromPattern(std::string_view pattern);

bool IsEmptyShape(const PieceShape& shape);

// Index of the lowest box row holding a filled cell; 0 for an empty shape.
int LowestFilledRow(const PieceShape& shape);

} // namespace stacklume
