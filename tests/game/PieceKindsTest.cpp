#include "FakeHost.h"
#include "Moves.h"

#include <gtest/gtest.h>

#include <set>

namespace stacklume::testing {
namespace {

TEST(PieceKindsTest, TableHoldsTheEightStandardKindsCentredAndTheBuiltInBrick) {
    const PieceKinds kinds = InitialPieceKinds();
    const std::array<int, KindTotal> images{4, 2, 10, 13, 5, 6, 7, 8, 9, 3, 11, 12};
    for (int kind = 0; kind < KindTotal; ++kind) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(kinds[kind].Image, images[kind]);
        EXPECT_EQ(LowestFilledRow(kinds[kind].Shape), kind == 7 ? 3 : 2);
    }
    EXPECT_EQ(kinds[0].Shape, ShapeFromDrawing("....#...###....."));
    EXPECT_EQ(kinds[3].Shape, ShapeFromDrawing(".....##..#......")) << "the three-cell corner";
    for (int kind = 0; kind < StandardKindCount; ++kind) {
        PieceShape centred = kinds[kind].Shape;
        CentreShape(centred);
        EXPECT_EQ(centred, kinds[kind].Shape) << "kind " << kind << " is stored centred";
    }
    for (int kind = FirstPersonalizedKind; kind < KindTotal; ++kind)
        EXPECT_EQ(kinds[kind].Shape, ShapeFromDrawing("##...#...#......"));
}

TEST(PieceKindsTest, PatternTextFillsEveryCharacterButZero) {
    EXPECT_EQ(ShapeFromPattern("1000010000100001"), ShapeFromDrawing("#....#....#....#"));
    EXPECT_EQ(ShapeFromPattern("x0*0000000000000"), ShapeFromDrawing("#.#............."));
    EXPECT_EQ(ShapeFromPattern("11"), ShapeFromDrawing("##")) << "missing positions are empty";
    EXPECT_EQ(ShapeFromPattern("00000000000000001111"), PieceShape{}) << "characters after 16 are ignored";
    EXPECT_TRUE(IsEmptyShape(ShapeFromPattern("0000000000000000")));
}

TEST(GameSetupTest, ClearWellEmptiesThePlayingRowsAndLaysTheFloor) {
    GameFixture f;
    f.game.CurrentWell()[4][4] = 9;
    f.game.ClearWell();
    for (int row = 0; row < FloorRow; ++row)
        for (int column = 0; column < WellColumns; ++column)
            ASSERT_EQ(f.game.CurrentWell()[row][column], 0);
    for (int column = 0; column < WellColumns; ++column)
        EXPECT_EQ(f.game.CurrentWell()[FloorRow][column], FloorImage);
}

TEST(GameSetupTest, FirstPieceStartsInsideTheWellAndLaterOnesEnterFromAbove) {
    FakeHost host;
    Game game(host);
    game.ChooseNextPiece();
    EXPECT_EQ(game.CurrentPiece().X, 5);
    EXPECT_EQ(game.CurrentPiece().Y, 0);

    game.CurrentPiece().Shape = InitialPieceKinds()[7].Shape;
    game.PlaceAtTop();
    EXPECT_EQ(game.CurrentPiece().X, 5);
    EXPECT_EQ(game.CurrentPiece().Y, -3);
    game.CurrentPiece().Shape = InitialPieceKinds()[0].Shape;
    game.PlaceAtTop();
    EXPECT_EQ(game.CurrentPiece().Y, -2);
}

std::set<int> ImagesDrawn(Game& game, int draws) {
    std::set<int> images;
    for (int i = 0; i < draws; ++i) {
        game.ChooseNextPiece();
        images.insert(game.CurrentPiece().Image);
    }
    return images;
}

TEST(GameSetupTest, KindCountDecidesWhetherPersonalizedBricksComeIntoPlay) {
    GameFixture f;
    EXPECT_EQ(f.game.RandomBelow(0), 0);
    f.game.Options().KindCount = 8;
    EXPECT_EQ(ImagesDrawn(f.game, 2000), (std::set<int>{2, 4, 5, 6, 7, 8, 10, 13}));
    f.game.Options().KindCount = 12;
    EXPECT_EQ(ImagesDrawn(f.game, 2000), (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST(GameSetupTest, PersonalizedBrickWithoutCellsNeverComesIntoPlay) {
    GameFixture f;
    f.game.Options().KindCount = 12;
    const std::string empty(16, '0');
    f.game.ApplyPersonalizedBricks({"1111100110011111", empty, "1111000000001111", empty});
    EXPECT_EQ(f.game.Kinds()[9].Shape, PieceShape{});
    EXPECT_EQ(f.game.Kinds()[8].Shape, ShapeFromDrawing("#####..##..#####"));
    EXPECT_EQ(ImagesDrawn(f.game, 2000), (std::set<int>{2, 4, 5, 6, 7, 8, 9, 10, 11, 13}));

    f.game.ApplyPersonalizedBricks({empty, empty, empty, empty});
    for (int i = 0; i < 200; ++i) {
        f.game.ChooseNextPiece();
        ASSERT_FALSE(IsEmptyShape(f.game.CurrentPiece().Shape));
    }
}

TEST(GameSetupTest, NewBricksLeaveTheFallingPieceAlone) {
    GameFixture f;
    f.UsePiece("##...#...#......", 3, 4, 9);
    f.game.ApplyPersonalizedBricks({"1111000000000000", "1", "1", "1"});
    EXPECT_EQ(f.game.CurrentPiece().Shape, ShapeFromDrawing("##...#...#......"));
    EXPECT_EQ(f.game.Kinds()[8].Shape, ShapeFromDrawing("####"));
}

TEST(GameSetupTest, NewGameKeepsTheFallingPieceAndTheTickState) {
    GameFixture f;
    f.UsePiece(Upright, 2, 6, 8);
    f.keys.Hold({VirtualKey::Left});
    f.Tick();
    f.FillRow(10, 3);
    const TickState before = f.game.Ticks();
    f.game.NewGame(7, 0.5);
    EXPECT_EQ(f.game.CurrentPiece().X, 1);
    EXPECT_EQ(f.game.CurrentPiece().Shape, ShapeFromDrawing(Upright));
    EXPECT_EQ(f.game.CurrentWell()[10][0], 0);
    EXPECT_EQ(f.game.Ticks().LateralHeld, before.LateralHeld);
    EXPECT_EQ(f.game.Ticks().FallCounter, before.FallCounter);
    EXPECT_EQ(f.game.Values().Score, 0);
    EXPECT_EQ(f.game.Values().StartTime, 0.5);
}

TEST(GameClockTest, ElapsedTimeCountsOnPastMidnight) {
    GameFixture f;
    f.game.SetStartTime(23.5 / 24);
    f.game.UpdateElapsedTime(23.75 / 24);
    EXPECT_NEAR(f.game.Values().ElapsedTime, 0.25 / 24, 1e-12);
    f.game.UpdateElapsedTime(0.5 / 24);
    EXPECT_NEAR(f.game.Values().ElapsedTime, 1.0 / 24, 1e-12);
}

} // namespace
} // namespace stacklume::testing
