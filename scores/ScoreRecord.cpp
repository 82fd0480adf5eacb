#include "ScoreRecord.h"

#include <algorithm>

namespace stacklume {
namespace {

const QChar Separator = QLatin1Char(':');
const QString Absent = QStringLiteral("*");

QString CleanName(QString name) {
    for (QChar& character : name)
        if (character == Separator || character == QLatin1Char('\r') || character == QLatin1Char('\n'))
            character = QLatin1Char(' ');
    return name;
}

QString WithoutFillingZeros(QString digits) {
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return digits;
}

QString ShownUnlessAbsent(const QString& field) { return field == Absent ? QString() : field; }

bool AllDigits(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

QString MakeRecord(int score, const QString& name, const QString& dateText) {
    return QString::number(score).rightJustified(ScoreDigits, QLatin1Char('0')) + Separator +
           CleanName(name) + Separator + dateText;
}

RecordCells ShownCells(const QString& record) {
    const qsizetype firstColon = record.indexOf(Separator);
    QString score = WithoutFillingZeros(record.left(std::max<qsizetype>(firstColon, 0)));
    if (score == QLatin1String("0"))
        score.clear();

    QString name;
    if (firstColon >= 0) {
        const qsizetype nameEnd = record.indexOf(Separator, firstColon + 1);
        name =
            nameEnd < 0 ? record.mid(firstColon + 1) : record.mid(firstColon + 1, nameEnd - firstColon - 1);
    }
    const QString date = record.mid(record.lastIndexOf(Separator) + 1);
    return {score, ShownUnlessAbsent(name), ShownUnlessAbsent(date)};
}

std::optional<QString> RepairedRecord(const QString& line) {
    const qsizetype firstColon = line.indexOf(Separator);
    if (firstColon < 0 || line.indexOf(Separator, firstColon + 1) < 0)
        return std::nullopt;
    const QString score = WithoutFillingZeros(line.left(firstColon).trimmed());
    if (score.isEmpty() || score.size() > ScoreDigits || !AllDigits(score))
        return std::nullopt;
    return score.rightJustified(ScoreDigits, QLatin1Char('0')) + line.mid(firstColon);
}

qint64 RecordScore(const QString& record) { return record.left(ScoreDigits).toLongLong(); }

} // namespace stacklume
