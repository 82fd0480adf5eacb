#include "Moves.h"

#include <algorithm>

namespace stacklume {

namespace {

bool IsEmptyRow(const PieceShape& shape, int row) {
    return std::none_of(shape[row].begin(), shape[row].end(), [](auto cell) { return cell == 1; });
}

bool IsEmptyColumn(const PieceShape& shape, int column) {
    return std::none_of(shape.begin(), shape.end(), [column](const auto& row) { return row[column] == 1; });
}

// Empty lines counted inward from each edge: {from the low-index edge, from the high-index edge}.
template <typename IsEmptyLine> std::pair<int, int> EmptyEdges(const PieceShape& shape, IsEmptyLine isEmpty) {
    int low = 0;
    while (low < BoxSize && isEmpty(shape, low))
        ++low;
    int high = 0;
    while (high < BoxSize && isEmpty(shape, BoxSize - 1 - high))
        ++high;
    return {low, high};
}

// Positive offsets move toward higher indices; lines leaving the box come back in at the other edge.
int CentringOffset(int lowEmpty, int highEmpty) {
    if (highEmpty == BoxSize || highEmpty == lowEmpty)
        return 0;
    if (highEmpty > lowEmpty)
        return (highEmpty - lowEmpty) / 2;
    return -((lowEmpty - highEmpty + 1) / 2);
}

int Wrapped(int index) { return (index % BoxSize + BoxSize) % BoxSize; }

} // namespace

bool Collides(const Well& well, const PieceShape& shape, int x, int y) {
    for (int r = 0; r < BoxSize; ++r) {
        const int row = y + r;
        if (row < 0 || row >= WellRows)
            continue;
        for (int c = 0; c < BoxSize; ++c) {
            const int column = x + c;
            if (shape[r][c] != 0 && column >= 0 && column < WellColumns && well[row][column] > 0)
                return true;
        }
    }
    return false;
}

bool CanLand(const Piece& piece) {
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c) {
            const int column = piece.X + c;
            if (piece.Shape[r][c] != 0 && piece.Y + r < WellRows && column >= 0 && column < WellColumns)
                return true;
        }
    return false;
}

ColumnSpan FilledColumns(const PieceShape& shape) {
    ColumnSpan span;
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c)
            if (shape[r][c] == 1) {
                span.MinCol = std::min(span.MinCol, c);
                span.MaxCol = std::max(span.MaxCol, c);
            }
    return span;
}

void CentreShape(PieceShape& shape) {
    const auto [top, bottom] = EmptyEdges(shape, IsEmptyRow);
    const int down = CentringOffset(top, bottom);
    const PieceShape rowsSource = shape;
    for (int r = 0; r < BoxSize; ++r)
        shape[r] = rowsSource[Wrapped(r - down)];

    const auto [left, right] = EmptyEdges(shape, IsEmptyColumn);
    const int rightward = CentringOffset(left, right);
    const PieceShape columnsSource = shape;
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c)
            shape[r][c] = columnsSource[r][Wrapped(c - rightward)];
}

PieceShape TurnedClockwise(const PieceShape& shape) {
    PieceShape turned{};
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c)
            turned[c][BoxSize - 1 - r] = shape[r][c];
    return turned;
}

PieceShape TurnedCounterClockwise(const PieceShape& shape) {
    PieceShape turned{};
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c)
            turned[BoxSize - 1 - c][r] = shape[r][c];
    return turned;
}

int FindLandingRow(const Well& well, const Piece& piece, int from) {
    int row = from;
    while (row < WellRows && !Collides(well, piece.Shape, piece.X, row))
        ++row;
    return row;
}

namespace {

void Rotate(const Well& well, Piece& piece, PieceShape scratch) {
    CentreShape(scratch);
    const ColumnSpan span = FilledColumns(scratch);
    int x = piece.X;
    if (x + span.MaxCol > WellColumns - 1)
        x = WellColumns - 1 - span.MaxCol;
    if (x + span.MinCol < 0)
        x = -span.MinCol;
    if (Collides(well, scratch, x, piece.Y))
        return; // refused: shape and column stay as they were
    piece.Shape = scratch;
    piece.X = x;
}

void Shift(const Well& well, Piece& piece, int step) {
    piece.X += step;
    if (Collides(well, piece.Shape, piece.X, piece.Y))
        piece.X -= step;
}

} // namespace

void ApplyCommand(const Well& well, Piece& piece, Command command) {
    const ColumnSpan span = FilledColumns(piece.Shape);
    switch (command) {
    case Command::None:
        break;
    case Command::MoveLeft:
        if (piece.X + span.MinCol > 0)
            Shift(well, piece, -1);
        break;
    case Command::MoveRight:
        if (piece.X + span.MaxCol < WellColumns - 1)
            Shift(well, piece, +1);
        break;
    case Command::RotateClockwise:
        Rotate(well, piece, TurnedClockwise(piece.Shape));
        break;
    case Command::RotateCounterClockwise:
        Rotate(well, piece, TurnedCounterClockwise(piece.Shape));
        break;
    case Command::HardDrop:
        piece.Y = FindLandingRow(well, piece, piece.Y) - 1;
        break;
    }
}

} // namespace stacklume
