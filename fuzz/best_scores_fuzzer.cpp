// The best-scores file on arbitrary bytes: read, enter a new score, write, read again. The table
// always holds ten records in ascending order of score: the best ten of the file, judged by the
// format's own rules, then empty records; a score that beats one of them qualifies and takes the
// lowest place under the name typed and the start date; the records written are read back.

#include "BestScores.h"
#include "FuzzSupport.h"
#include "ScoreRecord.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

using namespace stacklume;
using namespace stacklume::fuzz;

namespace {

// Orderings that differ (plain code points, accents, a dotless i that folds its own way), each
// with the start date as it writes it.
const std::array<std::pair<QLocale, QString>, 5> Locales{{
    {QLocale::c(), QStringLiteral("29 Feb 2024")},
    {QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("2/29/24")},
    {QLocale(QLocale::French, QLocale::France), QStringLiteral("29/02/2024")},
    {QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("29.02.2024")},
    {QLocale(QLocale::Swedish, QLocale::Sweden), QStringLiteral("2024-02-29")},
}};

const QDate StartDate{2024, 2, 29};
const QString Empty = QStringLiteral("00000000000000:*:*");

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString ZeroFilled(qint64 score) { return QString::number(score).rightJustified(14, u'0'); }

// The score of a line of the table: 14 digits, then a colon and a second one further on.
std::optional<qint64> TableScore(const QString& line) {
    if (line.size() < 16 || line[14] != u':' || line.indexOf(u':', 15) < 0 || !AllDigits(line.left(14)))
        return std::nullopt;
    return line.left(14).toLongLong();
}

// The file's records as the table holds them: a line is a record when it has two colons and,
// before the first, one to 14 digits once blanks around them and filling zeros are gone; the
// score is then filled with zeros to 14 digits again. The file is read whole, whatever its size.
QStringList RecordsOf(const QByteArray& file) {
    QStringList records;
    for (const QString& line :
         QString::fromLocal8Bit(file).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        const qsizetype colon = line.indexOf(u':');
        QString digits = line.left(std::max<qsizetype>(colon, 0)).trimmed();
        while (digits.size() > 1 && digits.startsWith(u'0'))
            digits.remove(0, 1);
        if (colon > 0 && line.indexOf(u':', colon + 1) > 0 && !digits.isEmpty() && digits.size() <= 14 &&
            AllDigits(digits))
            records.append(ZeroFilled(digits.toLongLong()) + line.sliced(colon));
    }
    return records;
}

std::vector<qint64> Scores(const QStringList& lines) {
    std::vector<qint64> scores;
    for (const QString& line : lines)
        scores.push_back(TableScore(line).value_or(-1));
    return scores;
}

// The scores given, in that order, each record one of `records` or an empty one.
void CheckTable(const QStringList& lines, const QStringList& records, const std::vector<qint64>& scores) {
    Require(Scores(lines) == scores, "the table holds the best ten scores in ascending order");
    for (const QString& line : lines) {
        Require(TableScore(line).has_value(), "every line of the table is a well-formed record");
        Require(line == Empty || records.contains(line),
                "every record of the table is the file's or the player's");
        Require(!ShownCells(line).Score.startsWith(QLatin1Char('0')),
                "a score is shown without filling zeros");
    }
}

QStringList Sorted(QStringList lines) {
    lines.sort();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto& [locale, dateText] =
        Locales[input.ConsumeIntegralInRange<std::size_t>(0, Locales.size() - 1)];
    // Scores start at 0 and saturate at the largest int.
    const int score = input.ConsumeIntegralInRange(0, INT_MAX);
    const std::string typedName = input.ConsumeRandomLengthString(64);
    const QString name = QString::fromUtf8(typedName.data(), qsizetype(typedName.size()));
    const std::string fileBytes = input.ConsumeRemainingBytesAsString();
    const QByteArray file(fileBytes.data(), qsizetype(fileBytes.size()));
    WriteScratchFile(QStringLiteral("results.ini"), file);

    QStringList problems;
    const auto report = [&problems](const QString& problem) { problems.append(problem); };
    BestScores scores(ScratchFolder(), StartDate, report, locale);
    QStringList records = RecordsOf(file);
    std::vector<qint64> best = Scores(records);
    std::sort(best.begin(), best.end());
    best.insert(best.begin(), BestScores::TableSize, 0); // the empty records
    best.erase(best.begin(), best.end() - BestScores::TableSize);
    CheckTable(scores.Lines(), records, best);

    const bool qualifies = scores.ScoreQualifies(score);
    Require(qualifies || best.front() >= score, "a score that beats a record of the table qualifies");
    if (qualifies) {
        QString shownName = name;
        for (QChar& c : shownName)
            if (c == u':' || c == u'\r' || c == u'\n')
                c = u' ';
        const QString record = ZeroFilled(score) + u':' + shownName + u':' + dateText;
        Require(scores.Insert(score, name) == record,
                "the new record holds the score, the name typed and the date");
        best.front() = score;
        std::sort(best.begin(), best.end());
        records.append(record);
        CheckTable(scores.Lines(), records, best);
    }
    scores.Save(); // the scratch folder takes every write: ResultsFileError here is a finding

    const BestScores again(ScratchFolder(), StartDate, report, locale);
    Require(Sorted(again.Lines()) == Sorted(scores.Lines()), "the records written are the records read back");
    Require(problems.isEmpty(), "a readable, writable file raises no problem");
    return 0;
}
