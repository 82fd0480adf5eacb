#include "BrickDrawing.h"

#include <gtest/gtest.h>

#include <string>

namespace stacklume {
namespace {

// Rows top to bottom: "#" filled, anything else empty.
BrickDrawing Drawn(std::string_view rows) {
    BrickDrawing drawing{};
    for (std::size_t i = 0; i < PatternLength; ++i)
        drawing[i / BoxSize][i % BoxSize] = rows[i] == '#';
    return drawing;
}

BrickDrawing Centred(std::string_view rows) {
    BrickDrawing drawing = Drawn(rows);
    CentreCells(drawing);
    return drawing;
}

TEST(BrickDrawingTest, ShowingCountsEveryCharacterAboveZeroAsFilled) {
    EXPECT_EQ(DrawingFromPattern("19aZ0 *-\x80\xff"), Drawn("####....##......"));
    EXPECT_EQ(DrawingFromPattern("0110"), Drawn(".##............."));
    EXPECT_EQ(DrawingFromPattern(""), BrickDrawing{});
}

TEST(BrickDrawingTest, SavingWritesTheFirstSixteenCharactersInPlace) {
    std::string pattern = "xxxxxxxxxxxxxxxxTAIL";
    SaveDrawingInto(Drawn("#..#............"), pattern);
    EXPECT_EQ(pattern, "1001000000000000TAIL");
    std::string shortPattern = "1";
    SaveDrawingInto(Drawn("...............#"), shortPattern);
    EXPECT_EQ(shortPattern, "0000000000000001");
}

TEST(BrickDrawingTest, CentringMovesTheDrawingToTheMiddle) {
    EXPECT_EQ(Centred("#..............."), Drawn(".....#.........."));
    EXPECT_EQ(Centred("...............#"), Drawn(".....#.........."));
    // Touching left, right and bottom with two empty rows above: up one row, columns kept.
    EXPECT_EQ(Centred("........#..#####"), Drawn("....#..#####...."));
    // An empty column between filled ones stays where it is in the drawing.
    EXPECT_EQ(Centred(".#.#.#.#........"), Drawn("....#.#.#.#....."));
    EXPECT_EQ(Centred("#..##..##..#...."), Drawn("#..##..##..#...."));
    EXPECT_EQ(Centred("................"), BrickDrawing{});
}

struct Extent {
    int before; // empty lines from the low-index edge
    int after;  // empty lines from the high-index edge
};

Extent EmptyEdges(const BrickDrawing& drawing, bool columns) {
    const auto lineEmpty = [&](int line) {
        for (int i = 0; i < BoxSize; ++i)
            if (columns ? drawing[i][line] : drawing[line][i])
                return false;
        return true;
    };
    Extent extent{0, 0};
    while (extent.before < BoxSize && lineEmpty(extent.before))
        ++extent.before;
    while (extent.after < BoxSize && lineEmpty(BoxSize - 1 - extent.after))
        ++extent.after;
    return extent;
}

// Every one of the 65536 drawings: the same shape, moved to the middle, spare line right and below.
TEST(BrickDrawingTest, CentringKeepsEveryDrawingWholeAndBalancesItsEdges) {
    for (unsigned bits = 1; bits < (1u << PatternLength); ++bits) {
        BrickDrawing drawing{};
        for (std::size_t i = 0; i < PatternLength; ++i)
            drawing[i / BoxSize][i % BoxSize] = (bits >> i) & 1u;
        BrickDrawing centred = drawing;
        CentreCells(centred);
        const Extent rowsBefore = EmptyEdges(drawing, false);
        const Extent columnsBefore = EmptyEdges(drawing, true);
        const Extent rows = EmptyEdges(centred, false);
        const Extent columns = EmptyEdges(centred, true);
        ASSERT_TRUE(rows.after - rows.before == 0 || rows.after - rows.before == 1) << bits;
        ASSERT_TRUE(columns.after - columns.before == 0 || columns.after - columns.before == 1) << bits;
        const int down = rows.before - rowsBefore.before;
        const int right = columns.before - columnsBefore.before;
        for (int r = 0; r < BoxSize; ++r)
            for (int c = 0; c < BoxSize; ++c)
                ASSERT_EQ(centred[(r + down + BoxSize) % BoxSize][(c + right + BoxSize) % BoxSize],
                          drawing[r][c])
                    << bits;
    }
}

} // namespace
} // namespace stacklume
