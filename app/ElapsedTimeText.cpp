#include "ElapsedTimeText.h"

#include <QRegularExpression>
#include <QTime>

#include <cmath>

namespace stacklume {

namespace {

// The locale's long time format with its 12-hour clock, AM/PM marker and time zone taken out.
QString DurationFormat(const QLocale& locale) {
    // Made once: the score line is written every second.
    static const QRegularExpression notOfADuration(QStringLiteral("\\s*(AP|ap|A|a|t+)\\s*"));
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(notOfADuration);
    format.replace(QLatin1Char('h'), QLatin1Char('H'));
    format = format.trimmed();
    return format.contains(QLatin1Char('H')) ? format : QStringLiteral("H:mm:ss");
}

} // namespace

QString ElapsedTimeText(double dayFraction, const QLocale& locale) {
    constexpr qint64 MillisecondsPerDay = 86'400'000;
    const auto milliseconds = static_cast<qint64>(std::floor(dayFraction * MillisecondsPerDay + 0.5));
    const qint64 ofDay = ((milliseconds % MillisecondsPerDay) + MillisecondsPerDay) % MillisecondsPerDay;
    return locale.toString(QTime::fromMSecsSinceStartOfDay(static_cast<int>(ofDay)), DurationFormat(locale));
}

QString ScoreLineText(int score, double elapsedDayFraction, const QLocale& locale) {
    return QString::number(score) + QStringLiteral(" | ") + ElapsedTimeText(elapsedDayFraction, locale);
}

} // namespace stacklume
