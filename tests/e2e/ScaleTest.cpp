#include "DesktopSession.h"

#include <QDir>

#include <gtest/gtest.h>

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

} // namespace
} // namespace stacklume::e2e
