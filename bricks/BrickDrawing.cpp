#include "BrickDrawing.h"

#include "Moves.h"

namespace stacklume {

namespace {

// The box's cell (row, column) belongs to this position of a pattern text, counting from 0.
std::size_t PatternIndex(int row, int column) {
    return static_cast<std::size_t>(row) * BoxSize + static_cast<std::size_t>(column);
}

} // namespace

BrickDrawing DrawingFromPattern(std::string_view pattern) {
    BrickDrawing drawing{};
    for (int row = 0; row < BoxSize; ++row)
        for (int column = 0; column < BoxSize; ++column) {
            const std::size_t index = PatternIndex(row, column);
            // Compared as unsigned bytes, so a character beyond ASCII counts as above "0".
            drawing[row][column] = index < pattern.size() && static_cast<unsigned char>(pattern[index]) > '0';
        }
    return drawing;
}

void SaveDrawingInto(const BrickDrawing& drawing, std::string& pattern) {
    if (pattern.size() < PatternLength)
        pattern.resize(PatternLength, '0');
    for (int row = 0; row < BoxSize; ++row)
        for (int column = 0; column < BoxSize; ++column)
            pattern[PatternIndex(row, column)] = drawing[row][column] ? '1' : '0';
}

// The engine centres a turned piece by the same rule, so the editor borrows it.
void CentreCells(BrickDrawing& drawing) {
    PieceShape shape{};
    for (int row = 0; row < BoxSize; ++row)
        for (int column = 0; column < BoxSize; ++column)
            shape[row][column] = drawing[row][column] ? 1 : 0;
    CentreShape(shape);
    for (int row = 0; row < BoxSize; ++row)
        for (int column = 0; column < BoxSize; ++column)
            drawing[row][column] = shape[row][column] == 1;
}

} // namespace stacklume
