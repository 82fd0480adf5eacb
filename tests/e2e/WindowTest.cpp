#include "DesktopSession.h"
#include "WellPixels.h"
#include "WindowSystemTest.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace stacklume::e2e {
namespace {

struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

FrameExtents Extents(const DesktopSession& session, const QString& window) {
    const QString text = session.Run(QStringLiteral("xprop"),
                                     {QStringLiteral("-id"), window, QStringLiteral("_NET_FRAME_EXTENTS")});
    const QStringList numbers = text.section(QLatin1Char('='), 1).split(QLatin1Char(','));
    if (numbers.size() != 4)
        return {};
    return {numbers[0].trimmed().toInt(), numbers[1].trimmed().toInt(), numbers[2].trimmed().toInt(),
            numbers[3].trimmed().toInt()};
}

TEST(WindowTest, ClientSizeFollowsTheScreenHeightAndTheWindowIsCentred) {
    struct Case {
        int screenHeight;
        QSize client;
    };
    int menuBarHeight = -1;
    for (const Case& c :
         {Case{899, {444, 563}}, Case{900, {518, 654}}, Case{999, {518, 654}}, Case{1000, {578, 735}}}) {
        SCOPED_TRACE(c.screenHeight);
        DesktopSession session(1280, c.screenHeight);
        session.StartGame();
        EXPECT_EQ(session.WindowTitle(session.GameWindow()), QStringLiteral("Stacklume"));

        QRect geometry;
        FrameExtents frame;
        // The window manager frames and places the window just after it appears.
        const bool centred = WaitUntil([&] {
            geometry = session.WindowGeometry(session.GameWindow());
            frame = Extents(session, session.GameWindow());
            const QSize outer(geometry.width() + frame.left + frame.right,
                              geometry.height() + frame.top + frame.bottom);
            const QPoint expected((1280 - outer.width()) / 2, (c.screenHeight - outer.height()) / 2);
            return frame.top > 0 && geometry.topLeft() - QPoint(frame.left, frame.top) == expected;
        });
        EXPECT_TRUE(centred) << "window at " << geometry.x() << "," << geometry.y() << " with frame top "
                             << frame.top;
        EXPECT_EQ(geometry.width(), c.client.width());
        const int menuBar = geometry.height() - c.client.height();
        EXPECT_GT(menuBar, 10);
        EXPECT_LT(menuBar, 50);
        if (menuBarHeight >= 0) {
            EXPECT_EQ(menuBar, menuBarHeight) << "the menu bar is the same at every size";
        }
        menuBarHeight = menuBar;
        EXPECT_TRUE(session.CloseGame());
    }
}

using PieceTest = WindowSystemTest;

TEST_P(PieceTest, FreshStartShowsTheFloorAndTheFirstPieceAlone) {
    DesktopSession session(1280, 899, GetParam());
    // A plain well, where nothing but bricks stands out.
    ASSERT_TRUE(QDir(session.ProgramFolder() + QStringLiteral("/background")).removeRecursively());
    // Very slow: the first piece falls for seconds before it locks, however late the first shot.
    QFile settings(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[config]\nspeed=veryslow\n");
    settings.close();
    session.StartGame();
    const QImage shot = session.WaitForPiece();
    ASSERT_FALSE(shot.isNull()) << "no piece in the well";
    const WellPixels well(shot);
    for (int column = 0; column < 12; ++column) {
        SCOPED_TRACE(column);
        const QColor floor = well.CellColour(19, column);
        EXPECT_TRUE(well.HasBrick(19, column));
        EXPECT_NEAR(floor.red(), 168, 40);
        EXPECT_NEAR(floor.green(), floor.red(), 4) << "light grey";
        EXPECT_NEAR(floor.blue(), floor.red(), 4) << "light grey";
    }
    EXPECT_TRUE(well.HoldsOnlyANewPiece()) << "more than the first piece, or not where pieces come in";
    EXPECT_TRUE(session.CloseGame());
}

// Without SDL, which serves the gamepads, the game is played from the keyboard alone. A broken
// library of its name found first stands for one that is missing.
TEST_P(PieceTest, HoldingLeftBringsThePieceToTheWallEvenWithoutSdl) {
    DesktopSession session(1280, 899, GetParam());
    const QString libraries = session.ProgramFolder() + QStringLiteral("/no-sdl");
    ASSERT_TRUE(QDir().mkpath(libraries));
    QFile broken(libraries + QStringLiteral("/libSDL2-2.0.so.0"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a library") > 0);
    broken.close();
    session.LaunchGame({QStringLiteral("env"), "LD_LIBRARY_PATH=" + libraries});
    session.FindGameWindow();
    session.KeyDown(QStringLiteral("Left"));
    const bool atWall = WaitUntil([&] {
        const WellPixels well(session.WellShot());
        for (int row = 0; row < 19; ++row)
            if (well.HasColouredBrick(row, 0))
                return true;
        return false;
    });
    session.KeyUp(QStringLiteral("Left"));
    EXPECT_TRUE(atWall) << "the piece never reached column 0";
    EXPECT_TRUE(session.CloseGame());
}

STACKLUME_ON_EVERY_WINDOW_SYSTEM(PieceTest);

} // namespace
} // namespace stacklume::e2e
