#pragma once

#include "GameTypes.h"

namespace stacklume {

// True when a filled box cell lies inside the grid on a settled brick. Cells outside the grid
// never collide: a piece may stand partly above the well, and the column tests keep it inside.
bool Collides(const Well& well, const PieceShape& shape, int x, int y);

// Whether the piece can still come to rest: some filled cell of it lies in a column of the well
// and not below the floor. A piece without cells, or one that has gone below the floor, falls
// for ever.
bool CanLand(const Piece& piece);

// The least and greatest box column holding a filled cell; 4 and 0 for an empty shape.
struct ColumnSpan {
    int MinCol = BoxSize;
    int MaxCol = 0;
};
ColumnSpan FilledColumns(const PieceShape& shape);

// Moves the pattern to the middle of its box, rows first, then columns; an odd spare row goes
// below and an odd spare column to the right.
void CentreShape(PieceShape& shape);

PieceShape TurnedClockwise(const PieceShape& shape);
PieceShape TurnedCounterClockwise(const PieceShape& shape);

// First row from `from` downward at which the piece would overlap something; 20 when none.
int FindLandingRow(const Well& well, const Piece& piece, int from);

// Carries out one command whole or not at all.
void ApplyCommand(const Well& well, Piece& piece, Command command);

} // namespace stacklume
