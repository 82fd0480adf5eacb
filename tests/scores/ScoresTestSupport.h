#pragma once

#include "ScoreRecord.h"

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace stacklume::testing {

// The game's own words, then a reason: the system's or Qt's, whose wording is theirs.
inline void ExpectOwnWordsAndAReason(const QString& message, const QString& ownWords) {
    EXPECT_TRUE(message.startsWith(ownWords) && message.size() > ownWords.size()) << message.toStdString();
}

// A program folder of its own for every test, with helpers to set up and inspect results.ini.
class ScoresFolderTest : public ::testing::Test {
protected:
    // A leap day long ago: nothing in a test depends on today.
    static inline const QDate StartDate{2024, 2, 29};

    QString Folder() const { return folder_.path(); }
    QString ResultsPath() const { return QDir(folder_.path()).filePath(QStringLiteral("results.ini")); }
    // The start date as the tests' en_US locale writes it.
    static QString StartDateText() { return QStringLiteral("2/29/24"); }

    void WriteResults(const QByteArray& bytes) const {
        QFile file(ResultsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    void WriteResultLines(const QStringList& lines) const {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toUtf8() + "\r\n";
        WriteResults(bytes);
    }
    QByteArray ResultsBytes() const {
        QFile file(ResultsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // A directory in place of the file: unreadable and unwritable, even for root.
    void BlockResults() const {
        QFile::remove(ResultsPath());
        ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("results.ini")));
    }
    void UnblockResults() const { ASSERT_TRUE(QDir(ResultsPath()).removeRecursively()); }

    static QStringList EmptyTable() { return QStringList(10, EmptyRecord); }
    // Ten sorted records of 100, 200, ... 1000 points.
    static QStringList FullTable() {
        QStringList lines;
        for (int score = 100; score <= 1000; score += 100)
            lines.append(
                MakeRecord(score, QStringLiteral("Player%1").arg(score / 100), QStringLiteral("01/01/2020")));
        return lines;
    }

    QStringList reported_;
    std::function<void(const QString&)> Reporter() {
        return [this](const QString& message) { reported_.append(message); };
    }

private:
    QTemporaryDir folder_;
};

} // namespace stacklume::testing
