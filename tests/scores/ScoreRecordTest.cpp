#include "ScoreRecord.h"
#include "ScoresTestSupport.h"

namespace stacklume::testing {
namespace {

TEST(ScoreRecordTest, RecordsAreStoredZeroFilledAndShownPlain) {
    const QString record = MakeRecord(750, QStringLiteral("Ann"), QStringLiteral("29/02/2024"));
    EXPECT_EQ(record, QStringLiteral("00000000000750:Ann:29/02/2024"));
    EXPECT_EQ(ShownCells(record), (RecordCells{"750", "Ann", "29/02/2024"}));
    EXPECT_EQ(RecordScore(record), 750);

    // "*" and a score of 0 show as empty cells; only an exact "*" means absent.
    EXPECT_EQ(ShownCells(EmptyRecord), (RecordCells{}));
    EXPECT_EQ(ShownCells(QStringLiteral("00000000000010::d")), (RecordCells{"10", "", "d"}));
    EXPECT_EQ(ShownCells(QStringLiteral("00000000000000:Bob:*")), (RecordCells{"", "Bob", ""}));
    EXPECT_EQ(ShownCells(QStringLiteral("00000000000001:**:d")), (RecordCells{"1", "**", "d"}));
}

TEST(ScoreRecordTest, NamesCannotBreakTheFields) {
    const QString record = MakeRecord(5, QStringLiteral("a:b\r\nc\rd\ne"), QStringLiteral("d"));
    EXPECT_EQ(record, QStringLiteral("00000000000005:a b  c d e:d"));
    EXPECT_EQ(ShownCells(record), (RecordCells{"5", "a b  c d e", "d"}));

    // A colon in a name from an older file: the name shows up to it, the date is the last field.
    EXPECT_EQ(ShownCells(QStringLiteral("00000000000100:a:b:d")), (RecordCells{"100", "a", "d"}));
}

TEST(ScoreRecordTest, DamagedLinesAreRepairedOrRefused) {
    for (const char* kept : {"00000000000750:Ann:29/02/2024", "00000000000100:a:b:d", "99999999999999:x:y"})
        EXPECT_EQ(RepairedRecord(QString::fromUtf8(kept)), QString::fromUtf8(kept));
    EXPECT_EQ(RepairedRecord(QStringLiteral("750:Ann:d")), QStringLiteral("00000000000750:Ann:d"));
    EXPECT_EQ(RepairedRecord(QStringLiteral("  42 ::")), QStringLiteral("00000000000042::"));
    EXPECT_EQ(RepairedRecord(QStringLiteral("0000000000000000007:x:y")),
              QStringLiteral("00000000000007:x:y"));

    for (const char* line : {"", "no colon at all", "00000000000750", "00000000000750:only a name", ":Bob:d",
                             "abc:Bob:d", "-5:Bob:d", "+5:Bob:d", "12 34:Bob:d", "123456789012345:Bob:d",
                             "\xef\xbf\xbd\x01\x02:\xef\xbf\xbd:"})
        EXPECT_EQ(RepairedRecord(QString::fromUtf8(line)), std::nullopt) << line;
}

} // namespace
} // namespace stacklume::testing
