#include "BestScores.h"
#include "ResultsFileError.h"
#include "ScoresTestSupport.h"

#include <QFileInfo>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stacklume::testing {
namespace {

class BestScoresTest : public ScoresFolderTest {
protected:
    BestScores Load(const QLocale& locale = QLocale::system()) {
        return BestScores(Folder(), StartDate, Reporter(), locale);
    }
    static QByteArray AsFileBytes(const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toUtf8() + "\r\n";
        return bytes;
    }
};

TEST_F(BestScoresTest, AMissingFileIsCreatedEmptyAndFilledWithEmptyRecordsOnSave) {
    BestScores scores = Load();
    EXPECT_TRUE(QFileInfo(ResultsPath()).isFile());
    EXPECT_EQ(ResultsBytes(), QByteArray());
    EXPECT_EQ(scores.Lines(), EmptyTable());
    EXPECT_EQ(scores.StartDateText(), StartDateText());
    EXPECT_TRUE(reported_.isEmpty());

    scores.Save();
    EXPECT_EQ(ResultsBytes(), QByteArray("00000000000000:*:*\r\n").repeated(10));
}

TEST_F(BestScoresTest, AWellFormedFileIsReadAndWrittenAsItIs) {
    const QStringList lines = {
        EmptyRecord,
        EmptyRecord,
        QStringLiteral("00000000000000:Zero:01/01/2020"),
        QStringLiteral("00000000000050::01/01/2020"),
        QStringLiteral("00000000000100:alice:01/01/2020"),
        QStringLiteral("00000000000100:Bob:01/01/2020"),
        QStringLiteral("00000000000750:Zoë Ünal:02/02/2021"),
        QStringLiteral("00000000001000:a:b:03/03/2022"),
        QStringLiteral("00000000002000:*:*"),
        QStringLiteral("00000000123456:Champion:04/04/2023"),
    };
    WriteResultLines(lines);
    BestScores scores = Load();
    EXPECT_EQ(scores.Lines(), lines);
    scores.Save();
    EXPECT_EQ(ResultsBytes(), AsFileBytes(lines));
    EXPECT_TRUE(reported_.isEmpty());
}

TEST_F(BestScoresTest, DamagedFilesKeepTheirRecordsAndAreWrittenBackWellFormed) {
    // Out of order, short and blank-padded scores, lines that are no records, LF and CR line
    // ends, binary junk and no final line break.
    const char damaged[] = "00000000000300:Cat:d\n"
                           "no colon\r"
                           ":Empty score:d\r\n"
                           "\x00\x01\xff\xfe:\x80\x81\r\n"
                           "  120 :Bea:d\r\n"
                           "\r\n"
                           "00000000000900:Dan:d";
    WriteResults(QByteArray(damaged, sizeof damaged - 1));
    BestScores scores = Load();
    QStringList expected = QStringList(7, EmptyRecord);
    expected << "00000000000120:Bea:d"
             << "00000000000300:Cat:d"
             << "00000000000900:Dan:d";
    EXPECT_EQ(scores.Lines(), expected);
    scores.Save();
    EXPECT_EQ(ResultsBytes(), AsFileBytes(expected));
    EXPECT_TRUE(reported_.isEmpty());
}

TEST_F(BestScoresTest, AFileWithMoreThanTenRecordsKeepsTheBestTen) {
    QStringList lines = FullTable();
    lines.prepend(MakeRecord(50, QStringLiteral("Low"), QStringLiteral("d")));
    lines.append(MakeRecord(5000, QStringLiteral("High"), QStringLiteral("d")));
    std::reverse(lines.begin(), lines.end());
    WriteResultLines(lines);

    BestScores scores = Load();
    QStringList expected = FullTable().mid(1);
    expected.append(MakeRecord(5000, QStringLiteral("High"), QStringLiteral("d")));
    EXPECT_EQ(scores.Lines(), expected);
    // The table keeps 200 as its lowest, so 150 earns no place although it beats two lines.
    EXPECT_FALSE(scores.ScoreQualifies(150));
    EXPECT_TRUE(scores.ScoreQualifies(201));
}

TEST_F(BestScoresTest, ANewScoreReplacesTheLowestAndEqualScoresOrderByNameIgnoringCase) {
    const std::pair<QLocale, QString> localesAndDates[] = {
        {QLocale::system(), StartDateText()},
        {QLocale::c(), QStringLiteral("29 Feb 2024")},
        {QLocale(QLocale::French), QStringLiteral("29/02/2024")}};
    for (const auto& [locale, dateText] : localesAndDates) {
        SCOPED_TRACE(locale.name().toStdString());
        WriteResultLines(FullTable());
        BestScores scores = Load(locale);

        EXPECT_EQ(scores.Insert(500, QStringLiteral("alice")), "00000000000500:alice:" + dateText);
        scores.Insert(500, QStringLiteral("Bob"));
        QStringList expected = FullTable().mid(2);
        // "Bob" would come first in code order; ignoring case, alice comes first.
        expected.insert(2, "00000000000500:alice:" + dateText);
        expected.insert(3, "00000000000500:Bob:" + dateText);
        EXPECT_EQ(scores.Lines(), expected);
    }
}

// Two games on one file, both started before either ended (two players on one portable folder).
TEST_F(BestScoresTest, TwoGamesSavingInTurnKeepBothRecords) {
    BestScores first = Load();
    BestScores second = Load();
    first.Insert(300, QStringLiteral("Ann"));
    second.Insert(500, QStringLiteral("Bob"));
    first.Save();
    second.Save();
    QStringList expected = QStringList(8, EmptyRecord);
    expected << MakeRecord(300, QStringLiteral("Ann"), StartDateText())
             << MakeRecord(500, QStringLiteral("Bob"), StartDateText());
    EXPECT_EQ(ResultsBytes(), AsFileBytes(expected));
    EXPECT_EQ(second.Lines(), expected) << "the table is what was saved";
    first.Save(); // the table closed again: Ann is not entered twice, Bob stays
    EXPECT_EQ(ResultsBytes(), AsFileBytes(expected));
}

TEST_F(BestScoresTest, QualificationFollowsTheFileAsItIsAtTheEndOfTheGame) {
    BestScores scores = Load(); // creates an empty file
    EXPECT_TRUE(scores.ScoreQualifies(0)) << "an empty file takes any score";
    EXPECT_TRUE(scores.ScoreQualifies(10));

    WriteResultLines(EmptyTable());
    EXPECT_FALSE(scores.ScoreQualifies(0)) << "0 does not beat an empty record";
    EXPECT_TRUE(scores.ScoreQualifies(1));

    WriteResultLines(FullTable());
    EXPECT_FALSE(scores.ScoreQualifies(100)) << "equal to the lowest is not enough";
    EXPECT_TRUE(scores.ScoreQualifies(101));

    WriteResults("no colon here\r\n");
    EXPECT_FALSE(scores.ScoreQualifies(0));
    EXPECT_TRUE(scores.ScoreQualifies(1)) << "a line without a colon counts as a score of 0";

    WriteResults("\r\n");
    EXPECT_TRUE(scores.ScoreQualifies(1)) << "a blank line is a line, but no record";
    EXPECT_FALSE(scores.ScoreQualifies(0));
    EXPECT_TRUE(reported_.isEmpty());
}

TEST_F(BestScoresTest, AFileThatCannotBeCreatedAtStartUpIsToldOnceAndTheTableGoesOn) {
    BestScores scores(QDir(Folder()).filePath(QStringLiteral("no such folder")), StartDate, Reporter());
    ASSERT_EQ(reported_.size(), 1);
    ExpectOwnWordsAndAReason(reported_[0], "Impossible de créer le fichier \"" + Folder() +
                                               "/no such folder/results.ini\". ");
    EXPECT_EQ(scores.Lines(), EmptyTable());

    EXPECT_FALSE(scores.ScoreQualifies(0)) << "decided by the table in memory";
    EXPECT_TRUE(scores.ScoreQualifies(1));
    EXPECT_EQ(reported_.size(), 1) << "the same trouble is not told again at game over";
}

TEST_F(BestScoresTest, AFileThatCannotBeReadAtStartUpIsNeitherLostNorOverwritten) {
    BlockResults();
    BestScores scores = Load();
    ASSERT_EQ(reported_.size(), 1);
    ExpectOwnWordsAndAReason(reported_[0], "Impossible d'ouvrir le fichier \"" + ResultsPath() + "\". ");
    EXPECT_EQ(scores.Lines(), EmptyTable());
    EXPECT_TRUE(scores.ScoreQualifies(1));
    EXPECT_EQ(reported_.size(), 1);

    scores.Insert(4242, QStringLiteral("Eve"));
    const QStringList table = scores.Lines();
    EXPECT_THROW(scores.Save(), ResultsFileError);
    EXPECT_EQ(scores.Lines(), table);

    // Readable again: its records join the table before it is written.
    UnblockResults();
    WriteResultLines(FullTable());
    scores.Save();
    QStringList expected = FullTable().mid(1);
    expected.insert(9, MakeRecord(4242, QStringLiteral("Eve"), StartDateText()));
    EXPECT_EQ(scores.Lines(), expected);
    EXPECT_EQ(ResultsBytes(), AsFileBytes(expected));
}

TEST_F(BestScoresTest, AHugeFileIsReadWholeAndNoBetterRecordIsLost) {
    QByteArray bytes;
    for (const QString& line : FullTable())
        bytes += line.toUtf8() + "\r\n";
    bytes += QByteArray(2 * 1024 * 1024, 'x') + "\r\n";
    const QString late = MakeRecord(99999, QStringLiteral("Late"), QStringLiteral("d"));
    bytes += late.toUtf8() + "\r\n";
    WriteResults(bytes);
    EXPECT_EQ(Load().Lines(), FullTable().mid(1) << late);
}

TEST_F(BestScoresTest, ASpecialFileInPlaceOfTheResultsIsNeverWaitedFor) {
    // A FIFO without a writer would keep an open for reading waiting forever.
    QFile::remove(ResultsPath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(ResultsPath()).constData(), 0600), 0);
    auto loading = std::async(std::launch::async, [this] { return Load(); });
    if (loading.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        // Let the stuck open through, so that the test ends with its failure.
        const int writer = ::open(QFile::encodeName(ResultsPath()).constData(), O_WRONLY | O_NONBLOCK);
        ::close(writer);
        FAIL() << "loading the best scores waited on the FIFO";
    }
    BestScores scores = loading.get();
    ASSERT_EQ(reported_.size(), 1);
    EXPECT_TRUE(reported_[0].endsWith(QStringLiteral("not a regular file"))) << reported_[0].toStdString();
    EXPECT_EQ(scores.Lines(), EmptyTable());
    EXPECT_THROW(scores.Save(), ResultsFileError);
    EXPECT_TRUE(QFileInfo(ResultsPath()).exists() && !QFileInfo(ResultsPath()).isFile())
        << "the FIFO is not replaced unseen";
}

TEST_F(BestScoresTest, AFileLostDuringPlayFallsBackToTheTableAndIsToldOncePerTrouble) {
    WriteResultLines(FullTable());
    BestScores scores = Load();
    ASSERT_TRUE(QFile::remove(ResultsPath()));

    EXPECT_FALSE(scores.ScoreQualifies(100));
    EXPECT_TRUE(scores.ScoreQualifies(101));
    ASSERT_EQ(reported_.size(), 1);
    ExpectOwnWordsAndAReason(reported_[0], "Impossible d'ouvrir le fichier \"" + ResultsPath() + "\". ");

    scores.Save(); // brings the file back
    EXPECT_EQ(ResultsBytes(), AsFileBytes(FullTable()));
    EXPECT_FALSE(scores.ScoreQualifies(100));

    BlockResults(); // a new trouble is told again
    EXPECT_TRUE(scores.ScoreQualifies(101));
    EXPECT_EQ(reported_.size(), 2);
}

} // namespace
} // namespace stacklume::testing
