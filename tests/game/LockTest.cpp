#include "Lock.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

class LockTest : public ::testing::Test, public GameFixture {
protected:
    // Locks a single cell at (row, column) as the tick does: Y is one row below the cell.
    void LockCellAt(int row, int column) {
        UsePiece("#...............", column, row + 1, 6);
        game.LockPiece();
    }

    int Score() const { return game.Values().Score; }
};

TEST_F(LockTest, RowsScoreByTheirHeight) {
    FillRow(18, 0);
    LockCellAt(18, 0);
    EXPECT_EQ(Score(), 10);
    EXPECT_EQ(host.sounds, (std::vector<Sound>{Sound::Rows}));

    FillRow(17, 0);
    FillRow(18, 0);
    UsePiece("#...#...........", 0, 18, 6);
    game.LockPiece();
    EXPECT_EQ(Score(), 10 + 30);
}

TEST_F(LockTest, FourRowsCountDoubleAndPlayTheirOwnSound) {
    for (int row = 15; row <= 18; ++row)
        FillRow(row, 11);
    UsePiece("...#...#...#...#", 8, 16, 8);
    game.LockPiece();
    EXPECT_EQ(Score(), (40 + 30 + 20 + 10) * 2);
    EXPECT_EQ(host.sounds, (std::vector<Sound>{Sound::FourRows}));
    for (int row = 0; row < FloorRow; ++row)
        for (int column = 0; column < WellColumns; ++column)
            ASSERT_EQ(game.CurrentWell()[row][column], 0) << row << "," << column;
}

TEST_F(LockTest, RowsAboveARemovedRowMoveDown) {
    for (int row = 0; row < 10; ++row)
        game.CurrentWell()[row][row] = row + 2;
    FillRow(10, 11);
    LockCellAt(10, 11);
    EXPECT_EQ(Score(), 90);
    for (int column = 0; column < WellColumns; ++column)
        EXPECT_EQ(game.CurrentWell()[0][column], 0);
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(game.CurrentWell()[row + 1][row], row + 2) << row;
}

TEST_F(LockTest, RowBetweenTwoFullRowsEndsAtTheBottom) {
    FillRow(16, 3);
    FillRow(17, 5, 7);
    FillRow(18, 3);
    UsePiece("#.......#.......", 3, 17, 6);
    game.LockPiece();
    EXPECT_EQ(Score(), 30 + 10);
    EXPECT_EQ(game.CurrentWell()[18][0], 7);
    EXPECT_EQ(game.CurrentWell()[18][5], 0);
    EXPECT_EQ(game.CurrentWell()[17][0], 0);
}

TEST_F(LockTest, LockWithoutFullRowsScoresNothingAndIsSilent) {
    FillRow(18, 0);
    LockCellAt(17, 0);
    EXPECT_EQ(Score(), 0);
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(game.CurrentWell()[17][0], 6);
    EXPECT_TRUE(host.gameOvers.empty());
}

TEST_F(LockTest, NextPieceEntersFromAbove) {
    LockCellAt(18, 0);
    EXPECT_EQ(game.CurrentPiece().X, 5);
    // Seed 1 draws kind 3 next, whose lowest cells are in the third row of its box.
    EXPECT_EQ(game.CurrentPiece().Image, 13);
    EXPECT_EQ(game.CurrentPiece().Y, -2);
}

TEST_F(LockTest, RowSoundsOnlyWhenSoundIsOn) {
    game.Options().SoundOn = false;
    FillRow(18, 0);
    LockCellAt(18, 0);
    EXPECT_EQ(Score(), 10);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(LockTest, PieceLockingAtTheTopEndsTheGameAndStillScores) {
    FillRow(0, 4);
    UsePiece("....#...#.......", 4, 0, 8); // cells in rows 0 and 1 once written one row higher
    game.LockPiece();
    ASSERT_EQ(host.gameOvers.size(), 1u);
    EXPECT_EQ(host.gameOvers[0].score, 0) << "the score before the lock";
    EXPECT_FALSE(host.gameOvers[0].alreadyShown);
    EXPECT_TRUE(game.Values().GameOverShown);
    EXPECT_EQ(Score(), 190) << "row 0 was completed and is still removed";
    EXPECT_EQ(game.CurrentWell()[1][4], 8);

    UsePiece("#...#...........", 0, 0, 8); // top cell would lie above the well and is dropped
    game.LockPiece();
    EXPECT_EQ(game.CurrentWell()[0][0], 8);
    ASSERT_EQ(host.gameOvers.size(), 2u);
    EXPECT_TRUE(host.gameOvers[1].alreadyShown) << "the display is made once per game";
}

TEST_F(LockTest, EmptyTopBoxRowEndsTheGameWithTheHighestCellInsideTheWell) {
    UsePiece("....#...###.....", 3, 0, 4); // kind 0: highest cell written to row 0
    game.LockPiece();
    EXPECT_EQ(host.gameOvers.size(), 1u);
    EXPECT_EQ(game.CurrentWell()[0][3], 4);
}

TEST_F(LockTest, FailedGameOverLeavesTheLockUndone) {
    host.failGameOver = true;
    FillRow(0, 4);
    const Well before = game.CurrentWell();
    UsePiece("....#...#.......", 4, 0, 8);
    EXPECT_THROW(game.LockPiece(), std::runtime_error);
    EXPECT_EQ(game.CurrentWell(), before);
    EXPECT_EQ(Score(), 0);
    EXPECT_FALSE(game.Values().GameOverShown);
    EXPECT_FALSE(game.Values().Landing);
    EXPECT_EQ(game.CurrentPiece().Y, 0) << "no next piece";
}

TEST(LockPointsTest, OnlyFourRowsDouble) {
    EXPECT_EQ(LockPoints({3, 60}), 60);
    EXPECT_EQ(LockPoints({4, 100}), 200);
    EXPECT_EQ(LockPoints({0, 0}), 0);
}

} // namespace
} // namespace stacklume::testing
