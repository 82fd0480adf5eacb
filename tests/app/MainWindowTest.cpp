#include "MainWindow.h"
#include "DevicePixels.h"
#include "FakePlatform.h"
#include "PiecePosition.h"
#include "WellPicture.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* action : menu.actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

QStringList Names(const QMenu& menu) {
    QStringList names;
    for (const QAction* action : menu.actions())
        names << action->objectName();
    return names;
}

TEST(MainWindowTest, MenuBarHoldsEveryItemInOrder) {
    FakePlatform platform;
    MainWindow window(platform.services);
    const MainMenu& menu = window.Menu();
    QStringList bar;
    for (const QAction* action : window.menuBar()->actions())
        bar << action->text();
    EXPECT_EQ(bar, (QStringList{"Game", "Preferences", "Help"}));
    EXPECT_EQ(Captions(*menu.game1), (QStringList{"New game", "Pause", "Score", "-", "Quit"}));
    EXPECT_EQ(Names(*menu.game1), (QStringList{"newgame1", "pause1", "score1", "N4", "quit1"}));
    EXPECT_EQ(menu.newgame1->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(menu.pause1->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(menu.score1->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_EQ(menu.rules1->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(Captions(*menu.preferences1),
              (QStringList{"Speed", "Lateral latency", "Down arrow", "Color", "-", "Sound effects", "-",
                           "Background", "-", "Personalized bricks"}));
    EXPECT_EQ(Names(*menu.preferences1), (QStringList{"speed1", "Lateralstep1", "Downarrow1", "color1", "N3",
                                                      "Sound1", "bar2", "Background1", "N2", "newbricks1"}));
    EXPECT_EQ(Captions(*menu.speed1), (QStringList{"Very slow", "Slow", "Medium", "Fast", "Very fast"}));
    EXPECT_EQ(Captions(*menu.Lateralstep1), (QStringList{"Short", "Medium", "Long"}));
    EXPECT_EQ(Captions(*menu.Downarrow1), (QStringList{"Drop", "Fast drop", "Rotation"}));
    EXPECT_EQ(Captions(*menu.color1), (QStringList{"Multicolored", "Red shades"}));
    EXPECT_EQ(Captions(*menu.help1), (QStringList{"Help", "Controls", "About"}));
    EXPECT_EQ(
        Captions(*menu.Controls),
        (QStringList{"Left Arrow : move block to the left", "Right Arrow : move block to the right",
                     "Up Arrow : rotate block clockwise", "Down Arrow : slow drop or fast drop or rotation",
                     "-", "Space : fast drop", "Del : fast drop", "-", "Shift : slow drop",
                     "Ctrl : slow drop", "Alt Gr : slow drop"}));
    EXPECT_EQ(Names(*menu.about2),
              (QStringList{"stacklume20", "copyright", "N6", "solvane1", "N1", "email"}));
    EXPECT_EQ(menu.stacklume20->text(), QStringLiteral("Stacklume 2.0"));
    EXPECT_EQ(menu.email->text(), QStringLiteral("https://stacklume.org"));
}

TEST(MainWindowTest, RadioGroupsAreExclusiveAndStartAsWithoutSettings) {
    FakePlatform platform;
    MainWindow window(platform.services);
    const MainMenu& menu = window.Menu();
    EXPECT_TRUE(menu.normal->isChecked());
    EXPECT_TRUE(menu.N22->isChecked()) << "Medium lateral latency";
    EXPECT_TRUE(menu.Drop1->isChecked());
    EXPECT_TRUE(menu.multicolor1->isChecked());
    EXPECT_TRUE(menu.Sound1->isChecked());
    menu.fast->trigger();
    EXPECT_TRUE(menu.fast->isChecked());
    EXPECT_FALSE(menu.normal->isChecked());
    EXPECT_EQ(window.GetGame().Options().FallInterval, FallIntervalFast);
}

// The start-up's last work (the dialogs, the held error boxes) runs once the window is on screen:
// until play starts after it, no tick runs and no command is taken, whatever arrives.
TEST(MainWindowTest, NothingRunsUntilPlayStartsThenTheTimersRunAtTheBaseTick) {
    FakePlatform platform;
    MainWindow window(platform.services);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F10);
    window.ApplyPersonalizedBricks({}); // as the bricks dialog does while it is made
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_FALSE(window.Timer2->isActive());

    platform.timeOfDay = platform.timeOfDay.addSecs(30); // a problem read for half a minute
    window.StartPlay();
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 45);
    EXPECT_EQ(window.Timer1->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_EQ(window.Timer2->interval(), 1000);
    const Piece& first = window.GetGame().CurrentPiece();
    EXPECT_EQ(first.X, 5);
    EXPECT_EQ(first.Y, 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Stacklume"));
    window.Timer2Timer();
    EXPECT_EQ(window.GetGame().Values().ElapsedTime, 0.0) << "the clock starts with play";

    QTest::keyClick(&window, Qt::Key_F10);
    EXPECT_FALSE(window.Timer1->isActive()) << "F10 pauses once play has started";
}

TEST(MainWindowTest, LayoutFollowsTheScreenHeight) {
    struct Case {
        int screenHeight;
        QSize client;
        QRect panel;
        QRect label;
        int pitch;
    };
    for (const Case& c : {Case{899, {444, 563}, {76, 44, 292, 484}, {189, 15, 178, 26}, 24},
                          Case{900, {518, 654}, {89, 52, 340, 564}, {220, 19, 205, 31}, 28},
                          Case{1000, {578, 735}, {100, 58, 376, 624}, {247, 21, 226, 34}, 31}}) {
        SCOPED_TRACE(c.screenHeight);
        FakePlatform platform(c.screenHeight);
        MainWindow window(platform.services);
        EXPECT_EQ(window.centralWidget()->size(), c.client);
        EXPECT_EQ(window.size(), c.client + QSize(0, window.menuBar()->height()));
        EXPECT_EQ(window.findChild<QFrame*>(QStringLiteral("Panel1"))->geometry(), c.panel);
        EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("Image2"))->geometry(),
                  QRect(2, 2, 12 * c.pitch, 20 * c.pitch));
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->geometry(), c.label);
        EXPECT_EQ(window.GetGame().Options().CellPitch, c.pitch);
        // Centred in the work area, the whole screen here, whatever the menu bar's height.
        const QRect frame = window.frameGeometry();
        const QRect area = platform.services.WorkArea;
        EXPECT_EQ(frame.left() - area.left(), area.right() - frame.right());
        EXPECT_NEAR(frame.top() - area.top(), area.bottom() - frame.bottom(), 1);
    }
}

TEST(MainWindowTest, TickDrawsTheWellIntoThePicture) {
    FakePlatform platform;
    MainWindow window(platform.services);
    auto* picture = window.findChild<WellPicture*>(QStringLiteral("Image2"));
    window.Timer1Timer();
    ASSERT_EQ(picture->Frame().size(), QSize(288, 480));
    const QColor background = picture->Frame().pixelColor(0, 0);
    EXPECT_NE(picture->Frame().pixelColor(11, 19 * 24 + 11), background) << "the floor";
    const Piece& piece = window.GetGame().CurrentPiece();
    int drawn = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (piece.Shape[r][c] != 0)
                drawn += picture->Frame().pixelColor((piece.X + c) * 24 + 11, (piece.Y + r) * 24 + 11) !=
                         background;
    EXPECT_GT(drawn, 0);
}

// Needs two screens of different scales: the test "MainWindowTest.OnTwoScreens" gives it them.
TEST(MainWindowTest, TheWellIsDrawnAgainOnAScreenOfAnotherScale) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio())
        GTEST_SKIP() << "no two screens of different scales";
    FakePlatform platform;
    MainWindow window(platform.services);
    auto* picture = window.findChild<WellPicture*>(QStringLiteral("Image2"));
    window.show();
    window.Timer1Timer();
    for (QScreen* screen : {screens[1], screens[0]}) {
        const qreal ratio = screen->devicePixelRatio();
        window.move(screen->geometry().topLeft() + QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitFor([&] { return picture->Frame().devicePixelRatio() == ratio; }, 10000))
            << ratio;
        EXPECT_EQ(picture->Frame().size(), QSize(288, 480) * ratio);
        const QImage floor = MakeBrickImages(0, ratio).List1[1];
        EXPECT_EQ(
            DevicePixels(picture->Frame()).copy(QRect(QPoint(0, qRound(19 * 24 * ratio)), floor.size())),
            floor);
    }
}

TEST(MainWindowTest, HeldKeysMoveThePiece) {
    FakePlatform platform;
    MainWindow window(platform.services);
    platform.keys.down = {VirtualKey::Right};
    for (int i = 0; i < 20; ++i) {
        platform.tickCount += 45;
        window.Timer1Timer();
    }
    EXPECT_EQ(RightmostColumn(window.GetGame().CurrentPiece()), 11);
}

} // namespace
} // namespace stacklume::testing

namespace stacklume::testing {
namespace {

TEST(MainWindowTest, HelpAndLinksGoToTheDesktop) {
    FakePlatform platform;
    MainWindow window(platform.services);
    window.Menu().rules1->trigger();
    window.Menu().stacklume20->trigger();
    window.Menu().solvane1->trigger();
    window.Menu().email->trigger();
    ASSERT_EQ(platform.opened.size(), 4);
    EXPECT_EQ(platform.opened[0], QUrl::fromLocalFile(QStringLiteral(STACKLUME_DATA_FOLDER "/help.html")));
    EXPECT_EQ(platform.opened[1], QUrl(QStringLiteral("https://stacklume.org/")));
    EXPECT_EQ(platform.opened[2], QUrl(QStringLiteral("https://stacklume.org")));
    EXPECT_EQ(platform.opened[3], platform.opened[2]);
}

} // namespace
} // namespace stacklume::testing
