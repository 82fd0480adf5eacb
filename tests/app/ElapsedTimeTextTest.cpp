#include "ElapsedTimeText.h"

#include <gtest/gtest.h>

namespace stacklume {
namespace {

constexpr double Second = 1.0 / 86400;

TEST(ElapsedTimeTextTest, DurationWithoutAmPmOrTimeZone) {
    EXPECT_EQ(ElapsedTimeText(5 * Second, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("0:00:05"));
    EXPECT_EQ(ElapsedTimeText(5 * Second, QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("00:00:05"));
    EXPECT_EQ(ElapsedTimeText((13 * 3600 + 7) * Second, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("13:00:07"))
        << "a 24-hour clock";
    EXPECT_EQ(ElapsedTimeText(0, QLocale::c()), QStringLiteral("00:00:00"));
}

TEST(ElapsedTimeTextTest, WholeDaysAreNotShown) {
    EXPECT_EQ(ElapsedTimeText(1 + 61 * Second, QLocale::c()), QStringLiteral("00:01:01"));
}

TEST(ElapsedTimeTextTest, ScoreLine) {
    EXPECT_EQ(ScoreLineText(750, 65 * Second, QLocale::c()), QStringLiteral("750 | 00:01:05"));
}

} // namespace
} // namespace stacklume
