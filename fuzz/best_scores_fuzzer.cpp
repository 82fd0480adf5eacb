// The best-scores file on arbitrary bytes: read, enter a new score, write, read again. The table
// always holds ten records in order; a score that beats one of them qualifies; the records
// written are the records read back.

#include "BestScores.h"
#include "FuzzSupport.h"
#include "ScoreRecord.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>

using namespace stacklume;
using namespace stacklume::fuzz;

namespace {

// Orderings that differ: plain code points, accents, a dotless i that folds its own way.
const std::array<QLocale, 5> Locales{
    QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::French, QLocale::France),
    QLocale(QLocale::Turkish, QLocale::Turkey), QLocale(QLocale::Swedish, QLocale::Sweden)};

const QDate StartDate{2024, 2, 29};

void CheckTable(const QStringList& lines, const QLocale& locale) {
    Require(lines.size() == BestScores::TableSize, "the table holds ten records");
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Require(RepairedRecord(lines[i]) == lines[i], "every line of the table is a well-formed record");
        Require(i == 0 || collator.compare(lines[i - 1], lines[i]) <= 0, "the table is in ascending order");
        const RecordCells cells = ShownCells(lines[i]);
        Require(!cells.Score.startsWith(QLatin1Char('0')), "a score is shown without filling zeros");
    }
}

QStringList Sorted(QStringList lines) {
    lines.sort();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QLocale& locale = Locales[input.ConsumeIntegralInRange<std::size_t>(0, Locales.size() - 1)];
    // Scores start at 0 and saturate at the largest int.
    const int score = input.ConsumeIntegralInRange(0, INT_MAX);
    const std::string typedName = input.ConsumeRandomLengthString(64);
    const QString name = QString::fromUtf8(typedName.data(), qsizetype(typedName.size()));
    const std::string fileBytes = input.ConsumeRemainingBytesAsString();
    WriteScratchFile(QStringLiteral("results.ini"),
                     QByteArray(fileBytes.data(), qsizetype(fileBytes.size())));

    QStringList problems;
    const auto report = [&problems](const QString& problem) { problems.append(problem); };
    BestScores scores(ScratchFolder(), StartDate, report, locale);
    CheckTable(scores.Lines(), locale);

    const bool beatsOne = std::any_of(scores.Lines().begin(), scores.Lines().end(),
                                      [score](const QString& line) { return RecordScore(line) < score; });
    const bool qualifies = scores.ScoreQualifies(score);
    Require(qualifies || !beatsOne, "a score that beats a record of the table qualifies");
    if (qualifies) {
        const QString record = scores.Insert(score, name);
        Require(scores.Lines().contains(record), "the new record is in the table");
        Require(ShownCells(record).Name == name || name.contains(QLatin1Char(':')) ||
                    name.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\n')) ||
                    name == QLatin1String("*"),
                "the new record shows the name as typed");
        CheckTable(scores.Lines(), locale);
    }
    scores.Save(); // the scratch folder takes every write: ResultsFileError here is a finding

    const BestScores again(ScratchFolder(), StartDate, report, locale);
    Require(Sorted(again.Lines()) == Sorted(scores.Lines()), "the records written are the records read back");
    Require(problems.isEmpty(), "a readable, writable file raises no problem");
    return 0;
}
