#include "TextAnimation.h"
#include "RgbColor.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace stacklume::testing {
namespace {

using Steps = std::vector<std::int32_t>;

// A character is as wide as its size in points plus its place in the alphabet; a line is twice
// the size high. Remembers the sizes it was asked about.
class FakeMeasure : public TextMeasure {
public:
    int CharWidth(char character, int points) const override {
        points_.insert(points);
        return points + (character >= 'A' && character <= 'Z' ? character - 'A' : 0);
    }
    int TextHeight(std::string_view text, int points) const override {
        points_.insert(points);
        return text == "X" ? 2 * points : -1;
    }
    mutable std::set<int> points_;
};

class TextAnimationTest : public ::testing::Test {
protected:
    TextAnimationTest() : animation(measure, 12345) {}

    void UseGameCaption(TTextAnimStyle style) {
        animation.SetMaxStep(12);
        animation.SetStep(1);
        animation.SetStyle(style);
        animation.SetCaption("GAME OVER");
    }

    std::vector<std::int32_t> Frames(int count) {
        std::vector<std::int32_t> sizes;
        for (int frame = 0; frame < count; ++frame) {
            animation.NextFrame();
            sizes.push_back(animation.CharSteps()[0]);
        }
        return sizes;
    }

    FakeMeasure measure;
    TextAnimation animation;
};

TEST_F(TextAnimationTest, StylesGiveTheirInitialOffsetsAllGrowing) {
    UseGameCaption(TTextAnimStyle::taWave);
    EXPECT_EQ(animation.CharSteps(), (Steps{0, 4, 7, 10, 11, 11, 10, 7, 4}));
    EXPECT_EQ(animation.CharDirections(), std::vector<std::int8_t>(9, 1));
    animation.SetStyle(TTextAnimStyle::taWind);
    EXPECT_EQ(animation.CharSteps(), (Steps{0, 1, 2, 4, 5, 6, 8, 9, 10}));
    animation.SetStyle(TTextAnimStyle::taAll);
    EXPECT_EQ(animation.CharSteps(), Steps(9, 0));

    animation.SetStyle(TTextAnimStyle::taRandom);
    animation.SetCaption(std::string(500, 'x'));
    const auto& random = animation.CharSteps();
    const std::set<std::int32_t> seen(random.begin(), random.end());
    EXPECT_EQ(seen.size(), 13u); // all of 0..12, nothing else
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 12);
}

TEST_F(TextAnimationTest, CharactersAreMeasuredOnePointBelowTheLargestSize) {
    UseGameCaption(TTextAnimStyle::taWave);
    EXPECT_TRUE(measure.points_.empty()) << "measured before anything was asked";
    // G A M E, blank, O V E R
    EXPECT_EQ(animation.CharWidths(), (Steps{27, 21, 33, 25, 21, 35, 42, 25, 38}));
    EXPECT_EQ(animation.TotalWidth(), 267);
    EXPECT_EQ(animation.LineHeight(), 42);
    EXPECT_EQ(measure.points_, (std::set<int>{21})); // 10 points, swelling by up to 12

    animation.FontChanged(15);
    EXPECT_EQ(animation.CharWidths()[1], 26);
    EXPECT_EQ(animation.LineHeight(), 52);
    EXPECT_EQ(animation.CharCount(), 9);

    animation.SetCaption("");
    EXPECT_EQ(animation.CharCount(), 0);
    EXPECT_TRUE(animation.CharWidths().empty() && animation.CharDirections().empty());
    EXPECT_EQ(animation.TotalWidth(), 0);
    EXPECT_EQ(animation.LineHeight(), 52);
}

TEST_F(TextAnimationTest, StepNeverExceedsMaxStepAndOnlyRealChangesRestart) {
    animation.SetStep(30);
    EXPECT_EQ(animation.Step(), 20);
    animation.SetMaxStep(5);
    EXPECT_EQ(animation.Step(), 5);
    animation.SetMaxStep(9);
    EXPECT_EQ(animation.Step(), 5);

    UseGameCaption(TTextAnimStyle::taWave);
    animation.NextFrame();
    const Steps moved = animation.CharSteps();
    EXPECT_FALSE(animation.SetMaxStep(12));
    EXPECT_FALSE(animation.SetStyle(TTextAnimStyle::taWave));
    EXPECT_EQ(animation.CharSteps(), moved);
    EXPECT_TRUE(animation.SetMaxStep(13));
    EXPECT_EQ(animation.CharSteps()[4], 12); // sin(4/9 pi) * 13 = 12.8
}

TEST_F(TextAnimationTest, CharactersBounceReachingBothEndsExactly) {
    animation.SetMaxStep(4);
    animation.SetStyle(TTextAnimStyle::taAll);
    animation.SetCaption("A");
    // Landing on the top keeps growing for that frame; landing on 0 turns at once.
    EXPECT_EQ(Frames(2), (Steps{2, 4}));
    EXPECT_EQ(animation.CharDirections()[0], 1);
    EXPECT_EQ(Frames(1), (Steps{2}));
    EXPECT_EQ(animation.CharDirections()[0], -1);
    EXPECT_EQ(Frames(1), (Steps{0}));
    EXPECT_EQ(animation.CharDirections()[0], 1);
    animation.SetStep(3);
    EXPECT_EQ(Frames(6), (Steps{3, 2, 1, 4, 1, 2}));

    animation.SetStep(0);
    EXPECT_EQ(Frames(3), (Steps{2, 2, 2}));
    animation.SetMaxStep(0);
    animation.SetStep(5);
    EXPECT_EQ(Frames(3), (Steps{0, 0, 0}));
}

TEST_F(TextAnimationTest, GameColoursMoveEachChannelByOneUntilItArrives) {
    animation.ResetColors(4250111, 221); // 255,217,64 to 221,0,0
    EXPECT_EQ(animation.ColorDelta(), (std::array<std::int32_t, 3>{-34, -217, -64}));
    EXPECT_EQ(animation.MaxColorDelta(), 217);

    std::vector<std::uint32_t> colors;
    for (int i = 0; i < 2 * 434; ++i)
        colors.push_back(animation.MakeFontColor());
    // 0xBBGGRR: red stops at 221 after 34 steps, blue at 0 after 64, green at 0 after 217.
    const std::pair<int, std::uint32_t> sweep[] = {{0, 0x40D9FF},   {1, 0x3FD8FE},  {34, 0x1EB7DD},
                                                   {35, 0x1DB6DD},  {64, 0x0099DD}, {65, 0x0098DD},
                                                   {216, 0x0001DD}, {217, 0x0000DD}};
    for (const auto& [counter, expected] : sweep)
        EXPECT_EQ(colors[counter], expected) << counter;
    for (int counter = 0; counter <= 217; ++counter)
        ASSERT_EQ(colors[434 - counter], colors[counter]) << counter; // and back
    for (std::size_t i = 434; i < colors.size(); ++i)
        ASSERT_EQ(colors[i], colors[i - 434]) << i;

    animation.ResetColors(4250111, 221);
    EXPECT_EQ(animation.ColorCounter(), 0);
    EXPECT_EQ(animation.MakeFontColor(), 4250111u);
}

TEST_F(TextAnimationTest, EqualColoursNeverChangeWhileTheCounterWrapsAndTurns) {
    const std::uint32_t green = MakeRgb(0, 200, 0);
    animation.ResetColors(green, green);
    EXPECT_EQ(animation.MaxColorDelta(), 0);
    for (int i = 0; i < 255; ++i)
        ASSERT_EQ(animation.MakeFontColor(), green);
    EXPECT_EQ(animation.ColorCounter(), 255);
    EXPECT_EQ(animation.MakeFontColor(), green);
    EXPECT_EQ(animation.ColorCounter(), 0);
    EXPECT_EQ(animation.ColorDirection(), -1);
}

} // namespace
} // namespace stacklume::testing
