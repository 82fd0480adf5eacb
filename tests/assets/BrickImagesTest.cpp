#include "BrickImages.h"

#include <gtest/gtest.h>

#include <QRect>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace stacklume {
namespace {

using Colour = std::array<int, 3>;
using Average = std::array<double, 3>;

struct ExpectedColours {
    Colour Base, Light, Dark;
};

// The colours the images are meant to show, as a player's eye would measure them.
constexpr std::array<ExpectedColours, 14> Multicoloured{{
    {{123, 123, 123}, {190, 190, 190}, {63, 63, 63}},
    {{168, 168, 168}, {223, 223, 223}, {95, 95, 95}},
    {{185, 157, 130}, {234, 213, 192}, {106, 86, 65}},
    {{213, 177, 72}, {255, 229, 153}, {127, 101, 28}},
    {{190, 74, 173}, {237, 150, 225}, {109, 24, 97}},
    {{213, 181, 141}, {255, 233, 206}, {127, 105, 80}},
    {{133, 177, 213}, {197, 229, 255}, {71, 101, 127}},
    {{103, 137, 213}, {175, 200, 255}, {50, 74, 127}},
    {{213, 104, 32}, {255, 176, 124}, {127, 51, 0}},
    {{137, 213, 74}, {198, 255, 150}, {71, 127, 24}},
    {{213, 153, 63}, {255, 210, 143}, {127, 86, 24}},
    {{68, 188, 183}, {156, 238, 234}, {32, 111, 107}},
    {{213, 90, 125}, {255, 162, 188}, {127, 36, 62}},
    {{194, 44, 51}, {241, 129, 135}, {114, 11, 17}},
}};

constexpr std::array<ExpectedColours, 14> RedShades{{
    Multicoloured[0],
    Multicoloured[1],
    Multicoloured[2],
    Multicoloured[3],
    {{188, 68, 172}, {238, 156, 227}, {111, 32, 99}},
    Multicoloured[8],
    {{213, 88, 62}, {255, 164, 146}, {127, 39, 21}},
    {{178, 58, 64}, {229, 140, 144}, {102, 15, 19}},
    {{213, 115, 115}, {255, 184, 184}, {127, 58, 58}},
    {{213, 181, 100}, {255, 233, 178}, {127, 106, 53}},
    Multicoloured[10],
    {{213, 127, 68}, {255, 196, 156}, {127, 71, 32}},
    {{213, 84, 121}, {255, 167, 192}, {127, 43, 67}},
    Multicoloured[13],
}};

struct ListUnderTest {
    std::string Name;
    const BrickImageList* Images;
    int Size;
    const std::array<ExpectedColours, 14>* Colours;
};

const BrickImageLists& Lists() {
    static const BrickImageLists lists = MakeBrickImages();
    return lists;
}

std::vector<ListUnderTest> AllLists(const BrickImageLists& lists = Lists()) {
    return {{"List1", &lists.List1, 22, &Multicoloured},
            {"ImageList4", &lists.ImageList4, 22, &RedShades},
            {"ImageList1", &lists.ImageList1, 26, &Multicoloured},
            {"ImageList3", &lists.ImageList3, 26, &RedShades},
            {"ImageList5", &lists.ImageList5, 29, &Multicoloured},
            {"ImageList2", &lists.ImageList2, 29, &RedShades}};
}

Average Mean(const QImage& image, const QRect& area) {
    Average sum{};
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            sum[0] += qRed(pixel);
            sum[1] += qGreen(pixel);
            sum[2] += qBlue(pixel);
        }
    const double count = static_cast<double>(area.width()) * area.height();
    return {sum[0] / count, sum[1] / count, sum[2] / count};
}

double Luma(const Average& colour) { return 0.299 * colour[0] + 0.587 * colour[1] + 0.114 * colour[2]; }

void ExpectNear(const Average& actual, const Colour& expected, double tolerance, const std::string& what) {
    for (std::size_t channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(actual[channel], expected[channel], tolerance) << what << ", channel " << channel;
}

QRect Inside(int size) { return {1, 1, size - 2, size - 2}; }

// The corner areas are a quarter of the brick wide, just inside the outline.
int CornerWidth(int size) { return size / 4; }
QRect TopRight(int size) { return {size - 1 - CornerWidth(size), 1, CornerWidth(size), CornerWidth(size)}; }
QRect BottomLeft(int size) { return {1, size - 1 - CornerWidth(size), CornerWidth(size), CornerWidth(size)}; }
QRect TopLeft(int size) { return {1, 1, CornerWidth(size), CornerWidth(size)}; }
QRect BottomRight(int size) {
    return {size - 1 - CornerWidth(size), size - 1 - CornerWidth(size), CornerWidth(size), CornerWidth(size)};
}

std::string Describe(const ListUnderTest& list, std::size_t index) {
    return list.Name + " image " + std::to_string(index);
}

TEST(BrickImagesTest, EveryImageIsAnOpaqueSquareOfItsListsSize) {
    for (const ListUnderTest& list : AllLists())
        for (std::size_t index = 0; index < list.Images->size(); ++index) {
            const QImage& image = (*list.Images)[index];
            ASSERT_EQ(image.size(), QSize(list.Size, list.Size)) << Describe(list, index);
            EXPECT_TRUE(image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
                << Describe(list, index);
            for (int y = 0; y < list.Size; ++y)
                for (int x = 0; x < list.Size; ++x)
                    ASSERT_EQ(qAlpha(image.pixel(x, y)), 255)
                        << Describe(list, index) << " at " << x << "," << y;
        }
}

TEST(BrickImagesTest, ColoursMatchTheTable) {
    for (const ListUnderTest& list : AllLists())
        for (std::size_t index = 0; index < list.Images->size(); ++index) {
            const QImage& image = (*list.Images)[index];
            const ExpectedColours& colours = (*list.Colours)[index];
            const std::string what = Describe(list, index);
            ExpectNear(Mean(image, Inside(list.Size)), colours.Base, 6, what + " average");
            ExpectNear(Mean(image, TopRight(list.Size)), colours.Light, 12, what + " top right");
            ExpectNear(Mean(image, BottomLeft(list.Size)), colours.Dark, 12, what + " bottom left");
        }
}

TEST(BrickImagesTest, TopLeftAndBottomRightStayNearNineTenthsOfBase) {
    for (const ListUnderTest& list : AllLists())
        for (std::size_t index = 0; index < list.Images->size(); ++index) {
            const QImage& image = (*list.Images)[index];
            const Colour& base = (*list.Colours)[index].Base;
            const double baseLuma = Luma({double(base[0]), double(base[1]), double(base[2])});
            for (const QRect& corner : {TopLeft(list.Size), BottomRight(list.Size)}) {
                const double ratio = Luma(Mean(image, corner)) / baseLuma;
                EXPECT_GT(ratio, 0.8) << Describe(list, index);
                EXPECT_LT(ratio, 1.0) << Describe(list, index);
            }
        }
}

// How much the luma bends between horizontal and between vertical neighbours inside the outline.
// A smooth gradient does not bend at all; streaks bend it across, never down.
std::pair<double, double> Unevenness(const QImage& image) {
    const auto luma = [&](int x, int y) {
        const QRgb pixel = image.pixel(x, y);
        return Luma({double(qRed(pixel)), double(qGreen(pixel)), double(qBlue(pixel))});
    };
    double across = 0;
    double down = 0;
    const int last = image.width() - 2;
    for (int y = 2; y < last; ++y)
        for (int x = 2; x < last; ++x) {
            across += std::abs(luma(x - 1, y) - 2 * luma(x, y) + luma(x + 1, y));
            down += std::abs(luma(x, y - 1) - 2 * luma(x, y) + luma(x, y + 1));
        }
    return {across, down};
}

TEST(BrickImagesTest, OnlyImagesTenAndThirteenAreStreakedVertically) {
    for (const ListUnderTest& list : AllLists())
        for (std::size_t index = 0; index < list.Images->size(); ++index) {
            const auto [across, down] = Unevenness((*list.Images)[index]);
            if (index == 10 || index == 13)
                EXPECT_GT(across, 1.8 * down) << Describe(list, index);
            else
                EXPECT_LT(across, 1.5 * down) << Describe(list, index);
        }
}

std::vector<int> Row(const QImage& image, int y) {
    std::vector<int> greys;
    for (int x = 0; x < image.width(); ++x)
        greys.push_back(qRed(image.pixel(x, y)));
    return greys;
}

std::vector<int> Column(const QImage& image, int x) {
    std::vector<int> greys;
    for (int y = 0; y < image.height(); ++y)
        greys.push_back(qRed(image.pixel(x, y)));
    return greys;
}

// Steps of a ramp that is spread evenly over its pixels differ by at most one level.
void ExpectEvenRamp(const std::vector<int>& greys, std::size_t first, std::size_t last,
                    const std::string& what) {
    int smallest = 255;
    int largest = -255;
    for (std::size_t i = first; i < last; ++i) {
        smallest = std::min(smallest, greys[i + 1] - greys[i]);
        largest = std::max(largest, greys[i + 1] - greys[i]);
    }
    EXPECT_LE(largest - smallest, 1) << what;
}

TEST(BrickImagesTest, OutlineIsADarkGreyFrameWithAGlintAtTheTopRight) {
    for (const ListUnderTest& list : AllLists())
        for (std::size_t index = 0; index < list.Images->size(); ++index) {
            const QImage& image = (*list.Images)[index];
            const std::string what = Describe(list, index);
            const int size = list.Size;
            for (int i = 0; i < size; ++i)
                for (const QRgb pixel : {image.pixel(i, 0), image.pixel(i, size - 1), image.pixel(0, i),
                                         image.pixel(size - 1, i)})
                    ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel)) << what;

            const std::vector<int> top = Row(image, 0);
            const std::vector<int> right = Column(image, size - 1);
            const std::vector<int> left = Column(image, 0);
            EXPECT_EQ(Row(image, size - 1), std::vector<int>(static_cast<std::size_t>(size), 0)) << what;
            EXPECT_EQ(std::vector<int>(left.begin(), left.begin() + 5), (std::vector<int>{3, 3, 2, 2, 1}))
                << what;
            EXPECT_EQ(std::vector<int>(left.begin() + 5, left.end()), std::vector<int>(left.size() - 5, 0))
                << what;

            const std::size_t peakColumn = top.size() - 4;
            EXPECT_EQ(top.front(), 3) << what;
            EXPECT_EQ(std::vector<int>(top.begin() + peakColumn + 1, top.end()),
                      (std::vector<int>{78, 70, 57}))
                << what;
            ExpectEvenRamp(top, 0, peakColumn, what + " top edge");
            EXPECT_EQ(right.front(), 57) << what;
            EXPECT_EQ(right.back(), 0) << what;
            ExpectEvenRamp(right, 4, right.size() - 1, what + " right edge");
            EXPECT_LT(right[3], right[4]) << what;

            const std::array<int, 2> peaks = size == 22 ? std::array{81, 96} : std::array{82, 97};
            if (size != 26) {
                EXPECT_EQ(top[peakColumn], peaks[0]) << what;
                EXPECT_EQ(right[4], peaks[1]) << what;
            }
        }
}

TEST(BrickImagesTest, RedShadesShareTheirUnchangedPictures) {
    const BrickImageLists& lists = Lists();
    const std::array<std::pair<const BrickImageList*, const BrickImageList*>, 3> pairs{
        {{&lists.List1, &lists.ImageList4},
         {&lists.ImageList1, &lists.ImageList3},
         {&lists.ImageList5, &lists.ImageList2}}};
    for (const auto& [multicoloured, redShades] : pairs) {
        for (std::size_t index : {0, 1, 3})
            EXPECT_EQ((*redShades)[index], (*multicoloured)[index]) << "image " << index;
        EXPECT_EQ((*redShades)[5], (*multicoloured)[8]);
        for (std::size_t index : {4, 6, 7, 8, 9, 11, 12})
            EXPECT_NE((*redShades)[index], (*multicoloured)[index]) << "image " << index;
    }
}

TEST(BrickImagesTest, EveryStartDrawsTheSameImages) {
    const BrickImageLists again = MakeBrickImages();
    const std::vector<ListUnderTest> first = AllLists();
    const std::vector<ListUnderTest> second = AllLists(again);
    for (std::size_t list = 0; list < first.size(); ++list)
        EXPECT_EQ(*first[list].Images, *second[list].Images) << first[list].Name;
}

// A window keeps its size class: it is given that class's two lists, the very images of the full set.
TEST(BrickImagesTest, OneSizeClassGetsItsOwnTwoListsAlone) {
    for (int sizeClass = 0; sizeClass < 3; ++sizeClass) {
        const BrickImageLists one = MakeBrickImages(sizeClass, 1);
        const std::vector<ListUnderTest> all = AllLists();
        const std::vector<ListUnderTest> made = AllLists(one);
        for (std::size_t list = 0; list < all.size(); ++list) {
            if (static_cast<int>(list) / 2 == sizeClass)
                EXPECT_EQ(*made[list].Images, *all[list].Images) << made[list].Name;
            else
                EXPECT_TRUE((*made[list].Images)[1].isNull())
                    << made[list].Name << " made for class " << sizeClass;
        }
    }
}

} // namespace
} // namespace stacklume
