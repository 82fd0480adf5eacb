#pragma once

#include <QLocale>
#include <QString>

namespace stacklume {

// The playing time as the locale writes a time of day on a 24-hour clock, without AM/PM and
// without time zone: a duration, not a time of day. Whole days are not shown.
QString ElapsedTimeText(double dayFraction, const QLocale& locale);

// The score line above the well: the score, a bar, the playing time.
QString ScoreLineText(int score, double elapsedDayFraction, const QLocale& locale);

} // namespace stacklume
