#pragma once

#include "GameTypes.h"

#include <algorithm>

namespace stacklume::testing {

// The well column of the piece's rightmost cell.
inline int RightmostColumn(const Piece& piece) {
    int rightmost = 0;
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c)
            if (piece.Shape[r][c] != 0)
                rightmost = std::max(rightmost, piece.X + c);
    return rightmost;
}

} // namespace stacklume::testing
