#include "PieceKinds.h"

#include <cstddef>

namespace stacklume {

namespace {

struct KindDrawing {
    std::string_view Rows;
    int Image;
};

constexpr std::array<KindDrawing, KindTotal> InitialKinds{{
    {"....#...###.....", 4},
    {".#...##..#......", 2},
    {"....###.#.......", 10},
    {".....##..#......", 13},
    {".....##..##.....", 5},
    {".#...##...#.....", 6},
    {"....##...##.....", 7},
    {".#...#...#...#..", 8},
    {"##...#...#......", 9},
    {"##...#...#......", 3},
    {"##...#...#......", 11},
    {"##...#...#......", 12},
}};

} // namespace

PieceShape ShapeFromDrawing(std::string_view drawing) {
    PieceShape shape{};
    for (std::size_t i = 0; i < drawing.size() && i < BoxSize * BoxSize; ++i)
        shape[i / BoxSize][i % BoxSize] = drawing[i] == '#' ? 1 : 0;
    return shape;
}

PieceKinds InitialPieceKinds() {
    PieceKinds kinds{};
    for (std::size_t k = 0; k < kinds.size(); ++k)
        kinds[k] = {ShapeFromDrawing(InitialKinds[k].Rows), InitialKinds[k].Image};
    return kinds;
}

PieceShape ShapeFromPattern(std::string_view pattern) {
    PieceShape shape{};
    for (std::size_t i = 0; i < pattern.size() && i < BoxSize * BoxSize; ++i)
        shape[i / BoxSize][i % BoxSize] = pattern[i] == '0' ? 0 : 1;
    return shape;
}

bool IsEmptyShape(const PieceShape& shape) {
    for (const auto& row : shape)
        for (auto cell : row)
            if (cell != 0)
                return false;
    return true;
}

int LowestFilledRow(const PieceShape& shape) {
    for (int r = BoxSize - 1; r >= 0; --r)
        for (auto cell : shape[r])
            if (cell != 0)
                return r;
    return 0;
}

} // namespace stacklume
