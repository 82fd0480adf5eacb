#include "GameWindow.h"
#include "TForm3.h"
#include "TTextAnimator.h"
#include "WellPicture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

void WriteResults(const QString& folder, const QByteArray& content) {
    QFile file(folder + QStringLiteral("/results.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray TenRecordsOf(int score) {
    QByteArray lines;
    for (int i = 0; i < 10; ++i)
        lines += QByteArray::number(score).rightJustified(14, '0') + ":Ann:01/12/2026\r\n";
    return lines;
}

TEST(MainWindowGameTest, PauseTogglesBothTimersAndTheCaption) {
    FakePlatform platform;
    GameWindow game(platform);
    game.window.pause1Click();
    EXPECT_FALSE(game.window.Timer1->isActive());
    EXPECT_FALSE(game.window.Timer2->isActive());
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume - Pause"));
    game.window.pause1Click();
    EXPECT_TRUE(game.window.Timer1->isActive());
    EXPECT_TRUE(game.window.Timer2->isActive());
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume"));
}

TEST(MainWindowGameTest, NewGameWhilePausedRunsButKeepsThePauseCaption) {
    FakePlatform platform;
    GameWindow game(platform);
    for (int i = 0; i < 30; ++i)
        game.Tick();
    const Piece piece = game.window.GetGame().CurrentPiece();
    game.window.pause1Click();
    game.window.newgame1Click();
    EXPECT_TRUE(game.window.Timer1->isActive());
    EXPECT_TRUE(game.window.Timer2->isActive());
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume - Pause"));
    EXPECT_EQ(game.window.GetGame().CurrentPiece().Y, piece.Y) << "the falling piece goes on where it was";
    EXPECT_EQ(game.window.GetGame().CurrentPiece().X, piece.X);
    game.window.pause1Click();
    game.window.pause1Click();
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume"));
}

TEST(MainWindowGameTest, ScoreLineShowsScoreAndPlayingTime) {
    FakePlatform platform;
    GameWindow game(platform);
    EXPECT_EQ(game.ScoreLine().text(), QStringLiteral("0"));
    platform.timeOfDay = platform.timeOfDay.addSecs(65);
    game.window.Timer2Timer();
    EXPECT_EQ(game.ScoreLine().text(), QStringLiteral("0 | 0:01:05")) << "as en_US writes the time";

    // Rows cleared without sound score all the same.
    game.window.Menu().Sound1->trigger();
    ASSERT_TRUE(game.PlayUntilRowsClear());
    game.window.Timer2Timer();
    EXPECT_EQ(game.ScoreLine().text(), QStringLiteral("20 | 0:01:05"))
        << "one row, the second above the floor";
}

TEST(MainWindowGameTest, QualifyingScoreOpensTheNameEntryOncePerGame) {
    FakePlatform platform;
    GameWindow game(platform);
    ASSERT_TRUE(game.PlayUntilGameOver());
    EXPECT_FALSE(game.window.Timer2->isActive());
    EXPECT_TRUE(game.form3.isVisible()) << "an empty table takes any score";
    EXPECT_EQ(game.form3.windowTitle(), TForm3::EntryCaption);
    EXPECT_FALSE(game.Caption().isVisibleTo(&game.window));

    // Resumed after the end, the game soon ends again, without a second display.
    game.form3.Button1Click();
    game.window.pause1Click();
    ASSERT_TRUE(game.PlayUntilGameOver());
    EXPECT_FALSE(game.form3.isVisible());
    EXPECT_FALSE(game.Caption().isVisibleTo(&game.window));
}

TEST(MainWindowGameTest, ScoreThatDoesNotQualifyShowsTheAnimatedCaption) {
    FakePlatform platform;
    WriteResults(platform.services.ProgramFolder, TenRecordsOf(500));
    GameWindow game(platform);
    ASSERT_TRUE(game.PlayUntilGameOver());
    EXPECT_FALSE(game.form3.isVisible());
    EXPECT_TRUE(game.Caption().isVisibleTo(&game.window));
    EXPECT_TRUE(game.Caption().Active());

    game.window.newgame1Click();
    EXPECT_FALSE(game.Caption().isVisibleTo(&game.window));
    EXPECT_FALSE(game.Caption().Active());
    EXPECT_TRUE(game.window.Timer1->isActive());
    for (int row = 0; row < 19; ++row)
        for (int column = 0; column < 12; ++column)
            ASSERT_EQ(game.window.GetGame().CurrentWell()[row][column], 0);
}

TEST(MainWindowGameTest, ScoreCommandPausesAndItsOkResumes) {
    FakePlatform platform;
    GameWindow game(platform);
    game.window.score1Click();
    EXPECT_FALSE(game.window.Timer1->isActive());
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume - Pause"));
    EXPECT_TRUE(game.form3.isVisible());
    EXPECT_EQ(game.form3.windowTitle(), TForm3::ViewingCaption);
    game.form3.Button1Click();
    EXPECT_TRUE(game.window.Timer1->isActive());
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume"));

    // Opened while paused, its OK resumes all the same.
    game.window.pause1Click();
    game.window.score1Click();
    EXPECT_FALSE(game.window.Timer1->isActive());
    game.form3.Button1Click();
    EXPECT_TRUE(game.window.Timer1->isActive());
}

TEST(MainWindowGameTest, PersonalizedBricksStopTheGameUntilApplied) {
    FakePlatform platform;
    GameWindow game(platform);
    game.window.pause1Click();
    game.window.newbricks1Click();
    EXPECT_FALSE(game.window.Timer1->isActive());
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume - Pause")) << "the caption is not changed";
    game.window.ApplyPersonalizedBricks(
        {"1111000000000000", "1000000000000000", "0110011000000000", "0000000000000000"});
    EXPECT_TRUE(game.window.Timer1->isActive());
    EXPECT_TRUE(game.window.Timer2->isActive());
    EXPECT_EQ(game.window.windowTitle(), QStringLiteral("Stacklume"));
    EXPECT_EQ(game.window.GetGame().Kinds()[8].Shape[0][3], 1);
}

TEST(MainWindowGameTest, ColourSchemeShowsAtTheNextFrame) {
    FakePlatform platform;
    GameWindow game(platform);
    auto* picture = game.window.findChild<WellPicture*>(QStringLiteral("Image2"));
    const auto brickAt = [&](int row, int column) {
        return picture->Frame().copy(column * 24, row * 24, 22, 22);
    };
    const BrickImageLists images = MakeBrickImages();
    game.Tick();
    const QImage multicoloured = picture->Frame();
    game.window.Menu().redshade1->trigger();
    EXPECT_EQ(picture->Frame(), multicoloured) << "nothing changes before the next drawing";
    game.Tick();
    EXPECT_EQ(brickAt(19, 0), images.ImageList4[1]) << "the floor, grey in both schemes";
    const Piece& piece = game.window.GetGame().CurrentPiece();
    for (int cell = 0; cell < 16; ++cell)
        EXPECT_TRUE(piece.Shape[cell / 4][cell % 4] == 0 ||
                    brickAt(piece.Y + cell / 4, piece.X + cell % 4) == images.ImageList4[piece.Image])
            << "the falling piece's cell " << cell;
    EXPECT_EQ(game.window.GetGame().Options().ActiveImageList, ImageListId::ImageList4);
}

} // namespace
} // namespace stacklume::testing
