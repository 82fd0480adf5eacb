#include "Moves.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

class MovesTest : public ::testing::Test {
protected:
    MovesTest() {
        for (auto& row : well)
            row.fill(0);
        well[FloorRow].fill(FloorImage);
    }

    Piece PieceOf(std::string_view drawing, int x, int y) {
        return Piece{ShapeFromDrawing(drawing), x, y, 4};
    }

    Well well{};
};

TEST_F(MovesTest, CollisionIgnoresCellsOutsideTheGridButCountsTheFloor) {
    const PieceShape upright = ShapeFromDrawing(Upright);
    EXPECT_FALSE(Collides(well, upright, 5, -3)) << "above the well";
    EXPECT_FALSE(Collides(well, upright, -1, 0)) << "box column 0 is empty, column 1 lies in column 0";
    EXPECT_TRUE(Collides(well, upright, 5, 16)) << "lowest cell on the floor";
    EXPECT_FALSE(Collides(well, upright, 5, 15));
    EXPECT_FALSE(Collides(well, upright, 5, 21)) << "below the grid";
    well[3][6] = 7;
    EXPECT_TRUE(Collides(well, upright, 5, 0));
}

TEST_F(MovesTest, SidewaysStepsStopAtTheWallsAndAtBricks) {
    Piece piece = PieceOf(Upright, -1, 5);
    ApplyCommand(well, piece, Command::MoveLeft);
    EXPECT_EQ(piece.X, -1) << "leftmost cell already in column 0";

    piece.X = 10;
    ApplyCommand(well, piece, Command::MoveRight);
    EXPECT_EQ(piece.X, 10) << "rightmost cell already in column 11";

    piece.X = 4;
    well[7][4] = 3;
    ApplyCommand(well, piece, Command::MoveLeft);
    EXPECT_EQ(piece.X, 4) << "a step into a settled brick is undone";
    ApplyCommand(well, piece, Command::MoveRight);
    EXPECT_EQ(piece.X, 5);
}

TEST_F(MovesTest, LongPieceTurnedAtTheWallsIsPushedBackInside) {
    Piece right = PieceOf(Upright, 10, 5);
    ApplyCommand(well, right, Command::RotateClockwise);
    EXPECT_EQ(right.Shape, ShapeFromDrawing("....####........"));
    EXPECT_EQ(right.X, 8);

    Piece left = PieceOf(Upright, -1, 5);
    ApplyCommand(well, left, Command::RotateClockwise);
    EXPECT_EQ(left.Shape, ShapeFromDrawing("....####........"));
    EXPECT_EQ(left.X, 0);
}

TEST_F(MovesTest, RefusedRotationRestoresShapeAndColumnAfterAWallPush) {
    Piece piece = PieceOf(Upright, 10, 5);
    well[6][8] = 5; // the flat piece would lie in row 6, columns 8 to 11
    ApplyCommand(well, piece, Command::RotateClockwise);
    EXPECT_EQ(piece.Shape, ShapeFromDrawing(Upright));
    EXPECT_EQ(piece.X, 10);

    Piece flat = PieceOf("....####........", 4, 17); // lying on the floor
    ApplyCommand(well, flat, Command::RotateClockwise);
    EXPECT_EQ(flat.Shape, ShapeFromDrawing("....####........")) << "upright, it would reach into the floor";
    EXPECT_EQ(flat.X, 4);
}

TEST_F(MovesTest, PieceAboveTheWellStillMovesAndTurns) {
    Piece piece = PieceOf(Upright, 5, -3);
    ApplyCommand(well, piece, Command::MoveLeft);
    EXPECT_EQ(piece.X, 4);
    ApplyCommand(well, piece, Command::RotateClockwise);
    EXPECT_EQ(piece.Shape, ShapeFromDrawing("....####........"));
    EXPECT_EQ(piece.Y, -3);
}

TEST_F(MovesTest, HardDropRestsOnTheFirstObstructionWithoutLocking) {
    Piece square = PieceOf(Square, 5, -2);
    ApplyCommand(well, square, Command::HardDrop);
    EXPECT_EQ(square.Y + 2, 18) << "lowest cell directly on the floor";

    // An overhang: the drop stops on it although there is room below.
    well[10][6] = 2;
    Piece upright = PieceOf(Upright, 5, 0);
    EXPECT_EQ(FindLandingRow(well, upright, 0), 7);
    ApplyCommand(well, upright, Command::HardDrop);
    EXPECT_EQ(upright.Y, 6);

    // Already overlapping after a fall step: lifted back one row.
    Piece overlapping = PieceOf(Upright, 5, 7);
    ApplyCommand(well, overlapping, Command::HardDrop);
    EXPECT_EQ(overlapping.Y, 6);

    EXPECT_EQ(FindLandingRow(well, upright, 20), 20);
    EXPECT_EQ(FindLandingRow(well, upright, 25), 25);
}

TEST(CentreShapeTest, LongPieceAlternatesBetweenColumnOneAndRowOne) {
    PieceShape shape = TurnedClockwise(ShapeFromDrawing(Upright));
    CentreShape(shape);
    EXPECT_EQ(shape, ShapeFromDrawing("....####........"));
    shape = TurnedClockwise(shape);
    EXPECT_EQ(shape, ShapeFromDrawing("..#...#...#...#.")) << "lands in box column 2 first";
    CentreShape(shape);
    EXPECT_EQ(shape, ShapeFromDrawing(Upright));
}

TEST(CentreShapeTest, TShapeTurnedClockwiseMovesLeft) {
    PieceShape shape = TurnedClockwise(ShapeFromDrawing(".#...##..#......"));
    EXPECT_EQ(shape, ShapeFromDrawing(".....###..#....."));
    CentreShape(shape);
    EXPECT_EQ(shape, ShapeFromDrawing("....###..#......"));
}

TEST(CentreShapeTest, SpareRowGoesBelowAndSpareColumnRight) {
    PieceShape corner = ShapeFromDrawing("#...............");
    CentreShape(corner);
    EXPECT_EQ(corner, ShapeFromDrawing(".....#.........."));
    PieceShape bottomRight = ShapeFromDrawing("...............#");
    CentreShape(bottomRight);
    EXPECT_EQ(bottomRight, ShapeFromDrawing(".....#.........."));
    PieceShape empty{};
    CentreShape(empty);
    EXPECT_EQ(empty, PieceShape{});
    PieceShape full = ShapeFromDrawing("################");
    CentreShape(full);
    EXPECT_EQ(full, ShapeFromDrawing("################"));
}

TEST(CentreShapeTest, EveryStandardKindComesBackAfterTurns) {
    const PieceKinds kinds = InitialPieceKinds();
    Well well{};
    for (int kind = 0; kind < StandardKindCount; ++kind) {
        SCOPED_TRACE(kind);
        Piece piece{kinds[kind].Shape, 4, 5, kinds[kind].Image};
        ApplyCommand(well, piece, Command::RotateClockwise);
        ApplyCommand(well, piece, Command::RotateCounterClockwise);
        EXPECT_EQ(piece.Shape, kinds[kind].Shape);
        for (int turn = 0; turn < 4; ++turn)
            ApplyCommand(well, piece, Command::RotateClockwise);
        EXPECT_EQ(piece.Shape, kinds[kind].Shape);
        EXPECT_EQ(piece.X, 4);
    }
}

} // namespace
} // namespace stacklume::testing
