#pragma once

#include "ResultsFile.h"

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace stacklume {

// The ten best scores, kept in memory in ascending order (the best last) and in "results.ini" in
// the given folder.
//
// The file is read at construction (a missing one is created empty), at the end of a game and
// again by every save. Lines that are not records are dropped, scores are zero-filled again, only
// the best ten records are kept and empty records fill the table up to ten, so the first entry is
// always the lowest.
//
// A file that cannot be created or read is told to the reporter, once until the file works
// again; the table in memory carries on. A write that fails throws ResultsFileError.
class BestScores {
public:
    using ProblemReporter = std::function<void(const QString& message)>;
    static constexpr int TableSize = 10;

    BestScores(const QString& folder, QDate startDate, ProblemReporter reportProblem,
               const QLocale& locale = QLocale::system());

    const QStringList& Lines() const { return lines_; }
    // The start date in the user's short date format, carried by every record of this run.
    const QString& StartDateText() const { return startDateText_; }
    const QString& FilePath() const { return file_.Path(); }

    // Whether a finished game's score earns a place, judged from the file as it is now: an empty
    // file takes any score, otherwise the score must beat the lowest of the ten records the table
    // would keep. When the file cannot be read, the table in memory decides.
    bool ScoreQualifies(int score);

    // Puts the new record in place of the lowest one and returns it.
    QString Insert(int score, const QString& name);
    void Sort();

    // Writes the file and makes the table what was written. The file is read again first and the
    // records entered since the last save join what is there now, keeping the best ten, so that
    // another game saving to the same file in between loses nothing. A file gone missing is
    // written from the table; one that cannot be read is too, once it has been read at some
    // point, and otherwise nothing is written and ResultsFileError is thrown.
    void Save();

private:
    void Load();
    QStringList BestTen(const QStringList& lines) const;
    void SortLines(QStringList& lines) const;
    void ReportOnce(const QString& problem);

    ResultsFile file_;
    QString startDateText_;
    ProblemReporter reportProblem_;
    QCollator collator_;
    QStringList lines_;
    QStringList unsaved_; // records entered since the last save
    bool fileRead_ = false;
    bool problemReported_ = false;
};

} // namespace stacklume
