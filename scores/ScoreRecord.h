#pragma once

#include <QString>

#include <optional>

namespace stacklume {

// A best-score record is one line "score:name:date": the score zero-filled to 14 digits, so that
// ordering whole lines as text orders them by score.
inline constexpr int ScoreDigits = 14;
inline const QString EmptyRecord = QStringLiteral("00000000000000:*:*"); // "*" marks an absent field

// The texts a record shows in the three record columns of the table.
struct RecordCells {
    QString Score;
    QString Name;
    QString Date;
    bool operator==(const RecordCells&) const = default;
};

// ":" and line breaks in the name become blanks, so every record keeps its three fields.
QString MakeRecord(int score, const QString& name, const QString& dateText);

// The score without its filling zeros and the name between the first two colons; "0" and "*"
// show as empty cells.
RecordCells ShownCells(const QString& record);

// The record with its score zero-filled again, or nothing when the line is not a record: a score
// field of one to 14 decimal digits (blanks around it allowed) followed by a name and a date.
std::optional<QString> RepairedRecord(const QString& line);

// The score of a record that RepairedRecord accepted.
qint64 RecordScore(const QString& record);

} // namespace stacklume
