#include "BestScores.h"
#include "ResultsFileError.h"
#include "ScoreRecord.h"

#include <QDir>

#include <algorithm>

namespace stacklume {

BestScores::BestScores(const QString& folder, QDate startDate, ProblemReporter reportProblem,
                       const QLocale& locale)
    : file_(QDir(folder).filePath(QStringLiteral("results.ini"))),
      startDateText_(locale.toString(startDate, QLocale::ShortFormat)),
      reportProblem_(std::move(reportProblem)), collator_(locale) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    Load();
}

void BestScores::Load() {
    const ResultsReading reading = file_.Read();
    switch (reading.status) {
    case ResultsReading::Status::Read:
        fileRead_ = true;
        break;
    case ResultsReading::Status::Missing:
        fileRead_ = true; // nothing there to lose
        try {
            file_.Write({});
        } catch (const ResultsFileError& error) {
            ReportOnce(QString::fromStdString(error.what()));
        }
        break;
    case ResultsReading::Status::Failed:
        ReportOnce(reading.problem);
        break;
    }
    lines_ = BestTen(reading.lines);
}

QStringList BestScores::BestTen(const QStringList& lines) const {
    QStringList records;
    for (const QString& line : lines)
        if (const auto record = RepairedRecord(line))
            records.append(*record);
    // Only the ten that stay are put in order: a file of millions of lines is picked from at the
    // cost of reading it.
    if (records.size() > TableSize) {
        std::nth_element(records.begin(), records.end() - TableSize, records.end(), collator_);
        records.remove(0, records.size() - TableSize);
    }
    while (records.size() < TableSize)
        records.append(EmptyRecord);
    SortLines(records);
    return records;
}

bool BestScores::ScoreQualifies(int score) {
    const ResultsReading reading = file_.Read();
    if (reading.status == ResultsReading::Status::Read) {
        problemReported_ = false;
        if (reading.lines.isEmpty())
            return true;
    } else {
        ReportOnce(reading.problem);
    }
    const QStringList records =
        reading.status == ResultsReading::Status::Read ? BestTen(reading.lines) : lines_;
    return std::any_of(records.cbegin(), records.cend(),
                       [score](const QString& record) { return RecordScore(record) < score; });
}

QString BestScores::Insert(int score, const QString& name) {
    QString record = MakeRecord(score, name, startDateText_);
    if (!lines_.isEmpty())
        lines_.removeFirst();
    lines_.append(record);
    unsaved_.append(record);
    Sort();
    return record;
}

void BestScores::Sort() { SortLines(lines_); }

void BestScores::SortLines(QStringList& lines) const { std::sort(lines.begin(), lines.end(), collator_); }

void BestScores::Save() {
    const ResultsReading reading = file_.Read();
    if (reading.status == ResultsReading::Status::Failed && !fileRead_)
        throw ResultsFileError(reading.problem);
    const QStringList table =
        reading.status == ResultsReading::Status::Read ? BestTen(reading.lines + unsaved_) : lines_;
    file_.Write(table);
    lines_ = table;
    unsaved_.clear();
    fileRead_ = true;
    problemReported_ = false;
}

void BestScores::ReportOnce(const QString& problem) {
    if (problemReported_)
        return;
    problemReported_ = true;
    if (reportProblem_)
        reportProblem_(problem);
}

} // namespace stacklume
