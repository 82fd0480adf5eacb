#include "TForm2Fixture.h"

#include "Game.h"
#include "IniWriteError.h"
#include "PieceKinds.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QScreen>

namespace stacklume {
namespace {

using TForm2Test = TForm2Fixture;

TEST_F(TForm2Test, DialogMatchesItsDesign) {
    TForm2& form = Open();
    EXPECT_EQ(form.windowTitle(), "Personalized bricks");
    EXPECT_EQ(form.size(), QSize(267, 198));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(form.font().pixelSize(), 13);
    // Centred on the screen, give or take the window frame.
    const QPoint offCentre = form.geometry().center() - form.screen()->geometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 40);

    auto* button1 = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    auto* checkBox1 = form.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Item(i)->text(), QStringLiteral("brick no. %1").arg(9 + i, 2, 10, QLatin1Char('0')));

    // Made column by column, 20 x 20 and 25 pixels apart.
    ASSERT_EQ(Cells().size(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Cells()[i]->geometry(), QRect(10 + 25 * (i / 4), 10 + 25 * (i % 4), 20, 20));

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    button1->setFocus();
    QList<QWidget*> tabOrder{form.focusWidget()};
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
        tabOrder << form.focusWidget();
    }
    EXPECT_EQ(tabOrder, (QList<QWidget*>{button1, Panel1(), Item(0), checkBox1, button1}));
    Click(Item(2));
    button1->setFocus();
    QTest::keyClick(button1, Qt::Key_Backtab);
    EXPECT_EQ(form.focusWidget(), checkBox1);
    QTest::keyClick(checkBox1, Qt::Key_Backtab);
    EXPECT_EQ(form.focusWidget(), Item(2));
    QTest::keyClick(Item(2), Qt::Key_Down);
    EXPECT_TRUE(Item(3)->isChecked());
}

TEST_F(TForm2Test, OpensOnTheHollowSquareAndWritesNothingUntilOk) {
    TForm2& form = Open();
    EXPECT_TRUE(Item(0)->isChecked());
    EXPECT_EQ(Shown(), "#####..##..#####");
    EXPECT_EQ(SettingsText(), "<no file>");
    EXPECT_EQ(applied_, 0);
    EXPECT_EQ(form.BrickPatterns()[1], "1100100000010011");
}

TEST_F(TForm2Test, ClicksToggleCellsAndNothingBetweenThem) {
    Open();
    ClickCell(1, 1);
    EXPECT_EQ(Shown(), "######.##..#####");
    ClickCell(1, 1);
    EXPECT_EQ(Shown(), "#####..##..#####");
    QTest::mouseClick(Panel1(), Qt::LeftButton, {}, QPoint(32, 32)); // between four cells
    QTest::mouseClick(Panel1(), Qt::LeftButton, {}, QPoint(3, 60));  // on the margin
    EXPECT_EQ(Shown(), "#####..##..#####");
}

TEST_F(TForm2Test, SwitchingBricksCentresAndKeepsTheDrawing) {
    TForm2& form = Open();
    Click(Item(1));
    Draw("#...............");
    Click(Item(2));
    EXPECT_EQ(Shown(), "####........####");
    Click(Item(1));
    EXPECT_EQ(Shown(), ".....#..........");
    Click(Item(0));
    Draw("........#..#####"); // touches left, right and bottom
    Click(Item(1));
    Click(Item(0));
    EXPECT_EQ(Shown(), "....#..#####....");
    ClickOk();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.BrickPatterns()[0], "0000100111110000");
    EXPECT_EQ(form.BrickPatterns()[1], "0000010000000000");
    EXPECT_EQ(SettingsText(), "[bricks]\nb1=0000100111110000\nb2=0000010000000000\nb3=1111000000001111\n"
                              "b4=1111011001100110\n");
}

TEST_F(TForm2Test, ClickingTheSelectedItemDoesNothing) {
    TForm2& form = Open();
    Draw("#...............");
    Click(Item(0));
    EXPECT_EQ(Shown(), "#...............");
    EXPECT_EQ(form.BrickPatterns()[0], "1111100110011111");
}

TEST_F(TForm2Test, OkWithTheBoxClearStillStoresAndApplies) {
    kindCount_ = KindTotal;
    TForm2& form = Open();
    ASSERT_EQ(applied_, 1); // the start-up run
    Click(form.findChild<QCheckBox*>(QStringLiteral("CheckBox1")));
    Draw("................");
    ClickOk();
    EXPECT_EQ(kindCount_, StandardKindCount);
    EXPECT_EQ(applied_, 2);
    EXPECT_EQ(form.BrickPatterns()[0], "0000000000000000");
    EXPECT_TRUE(SettingsText().startsWith("[bricks]\nb1=0000000000000000\n"));
}

// The engine leaves a kind without cells out of the draw, so an empty drawing cannot stop play.
TEST_F(TForm2Test, AnEmptyBrickNeverComesIntoPlay) {
    struct QuietHost : GameHost {
        void PlaySound(Sound) override {}
        void SetTickInterval(int) override {}
        void GameOver(std::int32_t, bool) override {}
    } host;
    Game game(host);
    game.SeedRandom(7);
    TForm2& form = Open();
    onApply_ = [&](const BrickPatternTexts& patterns) { // what the main window does
        game.Options().KindCount = kindCount_;
        game.ApplyPersonalizedBricks(patterns);
    };
    Draw("................");
    Click(form.findChild<QCheckBox*>(QStringLiteral("CheckBox1")));
    ClickOk();
    ASSERT_EQ(game.Options().KindCount, KindTotal);
    ASSERT_TRUE(IsEmptyShape(game.Kinds()[FirstPersonalizedKind].Shape));
    int personalized = 0;
    for (int i = 0; i < 2000; ++i) {
        game.ChooseNextPiece();
        ASSERT_FALSE(IsEmptyShape(game.CurrentPiece().Shape));
        personalized += game.CurrentPiece().Image == game.Kinds()[FirstPersonalizedKind + 1].Image;
    }
    EXPECT_GT(personalized, 0);
}

TEST_F(TForm2Test, ARefusedWriteKeepsTheDialogOpen) {
    TForm2& form = Open();
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("stacklume.ini")));
    Click(form.findChild<QCheckBox*>(QStringLiteral("CheckBox1")));
    Draw("#...............");
    try {
        form.Button1Click();
        FAIL() << "the write went through";
    } catch (const IniWriteError& failure) {
        EXPECT_EQ(QString::fromUtf8(failure.what()),
                  "Impossible d'écrire dans " + QDir::toNativeSeparators(SettingsPath()));
    }
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(applied_, 0);
    EXPECT_EQ(kindCount_, KindTotal);
    EXPECT_EQ(form.BrickPatterns()[0], "0000010000000000");
}

TEST_F(TForm2Test, EnabledBricksAreWrittenAndAppliedAtStartUp) {
    kindCount_ = KindTotal;
    GivenSettings("[bricks]\nb1=1000000000000000\nb4=1\n");
    bool appliedWhileConstructing = false;
    BrickPatternTexts applied;
    onApply_ = [&](const BrickPatternTexts& patterns) {
        appliedWhileConstructing = form_ == nullptr;
        applied = patterns;
    };
    Create();
    EXPECT_TRUE(appliedWhileConstructing);
    EXPECT_EQ(applied, form_->BrickPatterns());
    EXPECT_EQ(applied[0], "0000010000000000");
    EXPECT_EQ(applied_, 1);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(form_->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->isChecked());
    EXPECT_EQ(SettingsText(), "[bricks]\nb1=0000010000000000\nb4=1000000000000000\nb2=1100100000010011\n"
                              "b3=1111000000001111\n");
}

TEST_F(TForm2Test, ARefusedWriteAtStartUpIsReportedOnceAndPlayGoesOn) {
    kindCount_ = KindTotal;
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("stacklume.ini")));
    TForm2& form = Open();
    EXPECT_EQ(problems_, QStringList{"Impossible d'écrire dans " + QDir::toNativeSeparators(SettingsPath())});
    EXPECT_EQ(applied_, 1);
    EXPECT_EQ(form.BrickPatterns()[0], "1111100110011111");
}

TEST_F(TForm2Test, OnlyOkClosesTheDialog) {
    TForm2& form = Open();
    QTest::keyClick(&form, Qt::Key_Escape);
    form.close();
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TForm2Test, CellsCanBeDrawnWithTheKeyboardAndByDragging) {
    Open();
    Draw("................");
    ClickCell(0, 0); // the keyboard goes on from here
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Space, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space})
        QTest::keyClick(Panel1(), key);
    EXPECT_EQ(Shown(), "##...#..........");

    QTest::mousePress(Cell(3, 0), Qt::LeftButton);
    for (int column = 1; column < 4; ++column)
        QTest::mouseMove(Panel1(), Cell(3, column)->geometry().center());
    QTest::mouseRelease(Cell(3, 3), Qt::LeftButton);
    EXPECT_EQ(Shown(), "##...#......####");
}

} // namespace
} // namespace stacklume
