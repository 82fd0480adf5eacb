#pragma once

#include "GameTypes.h"

namespace stacklume {

// Writes the piece one row higher than its Y (it locks one row below where it last fitted);
// cells outside the grid are dropped.
void WritePiece(Well& well, const Piece& piece);

struct RowRemoval {
    int Rows = 0;
    int Points = 0;
};

// Removes every full playing row, scanning from the top; each scores 10 x (19 - its row).
RowRemoval RemoveFullRows(Well& well);

// Points of one lock: four rows at once count double.
int LockPoints(const RowRemoval& removal);

} // namespace stacklume
