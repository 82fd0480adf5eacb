#include "DesktopSession.h"

#include <QDir>

#include <gtest/gtest.h>

namespace stacklume::e2e {
namespace {

// The outline of a brick is a dark grey frame; the light grey inside of a floor brick and the
// plain background around it are far lighter.
bool IsDark(QRgb pixel) { return qGray(pixel) < 80; }

// Walking from `from` by `step`, past whatever is not dark (a gap), the number of dark pixels met.
int DarkRun(const QImage& well, QPoint from, QPoint step, int limit) {
    QPoint at = from;
    int walked = 0;
    for (; walked < limit && !IsDark(well.pixel(at)); ++walked)
        at += step;
    int dark = 0;
    for (; walked < limit && IsDark(well.pixel(at)); ++walked, ++dark)
        at += step;
    return dark;
}

struct OutlineWidths {
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
    bool operator==(const OutlineWidths&) const = default;
};

// The outline of the floor brick in `column`, in device pixels, measured through the middle of
// the brick from the edges of its cell: a cell begins at its rounded logical edge.
OutlineWidths FloorOutline(const QImage& well, int column, double scale) {
    const auto edge = [scale](int cell) { return qRound(cell * 24 * scale); };
    const int half = (edge(column + 1) - edge(column)) / 2;
    const int middleX = edge(column) + half;
    const int middleY = edge(19) + half;
    return {DarkRun(well, {edge(column), middleY}, {1, 0}, half),
            DarkRun(well, {edge(column + 1) - 1, middleY}, {-1, 0}, half),
            DarkRun(well, {middleX, edge(19)}, {0, 1}, half),
            DarkRun(well, {middleX, edge(20) - 1}, {0, -1}, half)};
}

// At the fractional scales desktops offer, the well is drawn at the screen's own pixels: every
// floor brick has an outline of one width all around, the same on all twelve, where a well
// drawn at 100 % and enlarged shows its one-pixel outlines one or two pixels wide.
TEST(ScaleTest, FloorBricksHaveEvenOutlinesAtFractionalScales) {
    for (const double scale : {1.25, 1.5}) {
        SCOPED_TRACE(scale);
        DesktopSession session(1280, 1024);
        session.SetScale(scale);
        // The plain background, against which the outlines stand out.
        ASSERT_TRUE(QDir(session.ProgramFolder() + QStringLiteral("/background")).removeRecursively());
        session.StartGame();
        // The size class follows the screen's logical height: 1024 lines at 125 % are 819.
        EXPECT_EQ(session.WindowGeometry(session.GameWindow()).width(), qRound(444 * scale));

        std::array<OutlineWidths, 12> outlines{};
        const bool drawn = WaitUntil([&] {
            const QImage well = session.WellShot();
            for (int column = 0; column < 12; ++column)
                outlines[column] = FloorOutline(well, column, scale);
            return std::ranges::all_of(outlines,
                                       [](const OutlineWidths& outline) { return outline.Left > 0; });
        });
        ASSERT_TRUE(drawn) << "no floor shown";
        for (int column = 0; column < 12; ++column) {
            const OutlineWidths& outline = outlines[column];
            SCOPED_TRACE(column);
            EXPECT_EQ(outline.Left, outline.Right);
            EXPECT_EQ(outline.Top, outline.Bottom);
            EXPECT_EQ(outline.Top, outline.Left);
            EXPECT_EQ(outline, outlines[0]) << "the same on every floor brick";
        }
        EXPECT_TRUE(session.CloseGame());
    }
}

} // namespace
} // namespace stacklume::e2e
