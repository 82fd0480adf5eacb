#include "FontPoints.h"
#include "RgbColor.h"
#include "SystemColors.h"

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

TEST(FontPointsTest, PointsAndPixelsConvertAtNinetySixPerInchBothWays) {
    EXPECT_EQ(PixelsForPoints(10), 13);
    EXPECT_EQ(PixelsForPoints(11), 15);
    EXPECT_EQ(PixelsForPoints(12), 16);
    EXPECT_EQ(PixelsForPoints(-40), 1);
    EXPECT_EQ(PixelsForPoints(70000), MaxFontPixels);
    for (int points = 1; points <= PointsForPixels(MaxFontPixels); ++points)
        ASSERT_EQ(PointsForPixels(PixelsForPoints(points)), points) << points;

    QFont font(QStringLiteral("Arial Black"));
    font.setPixelSize(15);
    EXPECT_EQ(PointsOfFont(font), 11);
    font.setPointSizeF(12.0);
    EXPECT_EQ(PointsOfFont(font), 12);
}

TEST(SystemColorsTest, SystemColoursComeFromThePaletteAndPlainOnesKeepTheirBytes) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(200, 190, 180));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(250, 251, 252));
    EXPECT_EQ(ResolveColor(SystemColor::WindowText, palette), MakeRgb(1, 2, 3));
    EXPECT_EQ(ResolveColor(SystemColor::ButtonFace, palette), MakeRgb(200, 190, 180));
    EXPECT_EQ(ResolveColor(SystemColor::Window, palette), MakeRgb(250, 251, 252));
    EXPECT_EQ(ResolveColor(0xFF000063, palette), 0u); // no counterpart: black
    EXPECT_EQ(ResolveColor(0x02000000 | 4250111, palette), 4250111u);
    EXPECT_EQ(ToQColor(4250111), QColor(255, 217, 64));
}

} // namespace
} // namespace stacklume::testing
