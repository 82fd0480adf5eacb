#include "DesktopSession.h"
#include "WellPixels.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

namespace stacklume::e2e {
namespace {

// The lengths of the runs of dark pixels along a line of the well: the outlines of bricks, which
// stand out against the light inside of a floor brick and the plain background.
std::vector<int> DarkRuns(const QImage& well, QPoint from, QPoint step, int length) {
    std::vector<int> runs;
    bool inRun = false;
    for (QPoint at = from; length-- > 0; at += step) {
        const bool dark = qGray(well.pixel(at)) < 80;
        if (dark && !inRun)
            runs.push_back(0);
        runs.back() += dark ? 1 : 0;
        inRun = dark;
    }
    return runs;
}

// At the fractional scales desktops offer, the well is drawn at the screen's own pixels: every
// floor brick's outline has one width all around, the same on all twelve, where the well drawn
// at 100 % and enlarged shows its one-pixel outlines one or two pixels wide.
TEST(ScaleTest, FloorBricksHaveEvenOutlinesAtFractionalScales) {
    for (const double scale : {1.25, 1.5}) {
        SCOPED_TRACE(scale);
        DesktopSession session(1280, 1024);
        session.SetScale(scale);
        ASSERT_TRUE(QDir(session.ProgramFolder() + QStringLiteral("/background")).removeRecursively());
        session.StartGame();
        // The size class follows the screen's logical height: 1024 lines at 125 % are 819.
        EXPECT_EQ(session.WindowGeometry(session.GameWindow()).width(), qRound(444 * scale));

        // Cells begin at their rounded logical edges; the lines run through the floor bricks' middles.
        const auto edge = [scale](int cell) { return qRound(cell * 24 * scale); };
        const int middle = (edge(20) - edge(19)) / 2;
        std::vector<int> widths;
        const bool drawn = WaitUntil([&] {
            const QImage well = session.WellShot();
            widths = DarkRuns(well, {0, edge(19) + middle}, {1, 0}, well.width());
            for (int column = 0; column < 12; ++column)
                for (const int width :
                     DarkRuns(well, {edge(column) + middle, edge(19)}, {0, 1}, edge(20) - edge(19)))
                    widths.push_back(width);
            return widths.size() == 2 * 24;
        });
        ASSERT_TRUE(drawn) << "no floor of twelve bricks found";
        for (const int width : widths)
            EXPECT_EQ(width, widths.front());
        EXPECT_TRUE(session.CloseGame());
    }
}

// The well of a game started at a scale of the desktop's and paused at once.
QImage PausedWell(DesktopSession& session, double scale) {
    session.SetScale(scale);
    session.StartGame();
    session.PressKey(QStringLiteral("F10"));
    EXPECT_TRUE(WaitUntil([&] { return session.WindowTitle(session.GameWindow()) == "Stacklume - Pause"; }));
    EXPECT_TRUE(WaitUntil([&] { return session.GameStandsStill(); }));
    const QImage well = session.WellShot();
    EXPECT_TRUE(session.CloseGame());
    return well;
}

// On a Wayland desktop at 200 % the well is drawn at the screen's own pixels, not enlarged from
// 100 %, and shrunk by half it is the well at 100 %.
TEST(ScaleTest, TheWellAtTwiceTheScaleOnWaylandIsTheSameWellInFinerPixels) {
    DesktopSession session(1280, 899, WindowSystemKind::Wayland);
    // Very slow: the first piece is still in the top rows when the game pauses.
    QFile settings(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[config]\nspeed=veryslow\n");
    settings.close();
    const QImage atOne = PausedWell(session, 1);
    const QImage atTwo = PausedWell(session, 2);
    ASSERT_EQ(atTwo.size(), atOne.size() * 2);

    const double fine = ShareOfFineSquares(atTwo);
    EXPECT_GT(fine, 0.2) << "the well is the 100 % picture enlarged";
    // Each game has a piece of its own: the rows it may have reached, down to the caption's, are
    // left out.
    const QImage shrunk = atTwo.scaled(atOne.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double difference = MeanDifference(shrunk, atOne, QRect(0, 0, 288, 260));
    EXPECT_LT(difference, 2.0);
    std::cout << "The well at 200 %: " << fine << " of its 2 x 2 squares are fine; shrunk, it is "
              << difference << " from the well at 100 %\n";
}

} // namespace
} // namespace stacklume::e2e
