#include "BrickSettings.h"
#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace stacklume {
namespace {

TEST(BrickSettingsTest, StoredValuesBecomeSixteenCharacterPatterns) {
    EXPECT_EQ(UsablePattern("0110100110010110"), "0110100110010110");
    EXPECT_EQ(UsablePattern("11"), "1100000000000000");
    EXPECT_EQ(UsablePattern(""), "0000000000000000");
    EXPECT_EQ(UsablePattern("1111000000001111extra"), "1111000000001111");
    // One character each, whatever its size in bytes, so the cells after it keep their place.
    EXPECT_EQ(UsablePattern(QStringLiteral("\u00e9\U0001F600*0x")), "11*0x00000000000");
    // The file would trim a blank left last by the cut; "-" is empty and filled where it was.
    EXPECT_EQ(UsablePattern("11111111111111\t x"), "11111111111111--");
    EXPECT_EQ(UsablePattern("1 1 1 1 1 1 1 1 1 1"), "1 1 1 1 1 1 1 1-");
}

class BrickSettingsFileTest : public ::testing::Test {
protected:
    QByteArray Bytes() const {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder_;
    QString path_ = folder_.filePath(QStringLiteral("stacklume.ini"));
    IniFile ini_{path_};
};

TEST_F(BrickSettingsFileTest, MissingKeysTakeTheirDefaultAndOthersAreMadeUsable) {
    EXPECT_EQ(ReadBrickPatterns(ini_), DefaultBrickPatterns());
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Bricks]\nB2 =  1\t\nb3=0000000000000000111\n");
    file.close();
    const BrickPatternTexts expected{DefaultBrickPatterns()[0], "1000000000000000", "0000000000000000",
                                     DefaultBrickPatterns()[3]};
    EXPECT_EQ(ReadBrickPatterns(ini_), expected);
}

TEST_F(BrickSettingsFileTest, WritesTheFourKeysInOrderAndKeepsTheRestOfTheFile) {
    IniFile mainWindowSide(path_);
    mainWindowSide.WriteString(QStringLiteral("config"), QStringLiteral("speed"), QStringLiteral("Fast"));
    WriteBrickPatterns(ini_, {"1", "2", "3", "4"});
    mainWindowSide.WriteString(QStringLiteral("bricks"), QStringLiteral("active"), QStringLiteral("yes"));
    EXPECT_EQ(Bytes(), "[config]\nspeed=Fast\n\n[bricks]\nb1=1\nb2=2\nb3=3\nb4=4\nactive=yes\n");
}

TEST_F(BrickSettingsFileTest, UsablePatternsReadBackAsTheyWereWritten) {
    const BrickPatternTexts written{UsablePattern("1111100110011111"), UsablePattern("1 1 1 1 1 1 1 1 1 1"),
                                    UsablePattern("0000000000000\x01\x02 x"), UsablePattern("*")};
    WriteBrickPatterns(ini_, written);
    EXPECT_EQ(ReadBrickPatterns(ini_), written);
}

} // namespace
} // namespace stacklume
