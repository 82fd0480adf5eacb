#include "WindowLayout.h"

#include <gtest/gtest.h>

namespace stacklume {
namespace {

TEST(WindowLayoutTest, SizeClassFollowsTheScreenHeight) {
    EXPECT_EQ(SizeClassForScreenHeight(768), 0);
    EXPECT_EQ(SizeClassForScreenHeight(899), 0);
    EXPECT_EQ(SizeClassForScreenHeight(900), 1);
    EXPECT_EQ(SizeClassForScreenHeight(999), 1);
    EXPECT_EQ(SizeClassForScreenHeight(1000), 2);
    EXPECT_EQ(SizeClassForScreenHeight(2160), 2);
}

TEST(WindowLayoutTest, TheWellIsTwelveByTwentyCellsInEveryClass) {
    for (int sizeClass = 0; sizeClass < 3; ++sizeClass) {
        const WindowLayout& layout = LayoutForSizeClass(sizeClass);
        EXPECT_EQ(layout.Image.size(), QSize(12 * layout.CellPitch, 20 * layout.CellPitch));
        EXPECT_EQ(layout.Image.size() + QSize(4, 4), layout.Panel.size());
        EXPECT_EQ(layout.Image.topLeft(), QPoint(2, 2));
    }
}

TEST(WindowLayoutTest, CentringTruncatesAndIsNotClamped) {
    EXPECT_EQ(CentredPosition({446, 603}, {0, 0, 1280, 899}), QPoint(417, 148));
    EXPECT_EQ(CentredPosition({446, 603}, {0, 30, 1280, 869}), QPoint(417, 163)) << "task bar at the top";
    EXPECT_EQ(CentredPosition({580, 757}, {0, 0, 1280, 700}), QPoint(350, -28))
        << "taller than the work area";
    EXPECT_EQ(CentredPosition({581, 757}, {0, 0, 0, 0}), QPoint(-290, -378)) << "no work area";
}

TEST(WindowLayoutTest, PointsBecomePixelsAtNinetySixPerInch) {
    EXPECT_EQ(PointsToPixels(9), 12);
    EXPECT_EQ(PointsToPixels(10), 13);
    EXPECT_EQ(PointsToPixels(11), 15);
    EXPECT_EQ(PointsToPixels(12), 16);
}

} // namespace
} // namespace stacklume
