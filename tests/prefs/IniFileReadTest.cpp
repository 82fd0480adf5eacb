#include "SettingsFolder.h"

#include <QDir>

namespace stacklume {
namespace {

using IniFileReadTest = SettingsFolder;

TEST_F(IniFileReadTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(ini_.ReadString("config", "speed", "medium"), "medium");
    Given("[config]\nsound=0\n");
    EXPECT_EQ(ini_.ReadString("bricks", "active", "no"), "no");
    EXPECT_EQ(ini_.ReadString("config", "speed", " medium\t"), "medium");
    ASSERT_TRUE(QDir().mkpath(path_ + ".d"));
    EXPECT_EQ(IniFile(path_ + ".d").ReadString("config", "sound", "1"), "1");
}

TEST_F(IniFileReadTest, NamesIgnoreCaseButValuesKeepIt) {
    Given("\xEF\xBB\xBF[CONFIG]\nSpeed=Fast\n[ background ]\nFILE = B.JPG\n");
    EXPECT_EQ(ini_.ReadString("config", "speed", ""), "Fast");
    EXPECT_EQ(ini_.ReadString("Background", "file", ""), "B.JPG");
}

TEST_F(IniFileReadTest, AValueBeginningWithAByteOrderMarkKeepsIt) {
    // The mark that starts the file is the file's; one that starts a value belongs to the value.
    Given("\xEF\xBB\xBF[a]\nk= \xEF\xBB\xBFx\n");
    EXPECT_EQ(ini_.ReadString("a", "k", ""), QChar(0xFEFF) + QStringLiteral("x"));
    ini_.WriteString("a", "k", QString(QChar(0xFEFF)));
    EXPECT_EQ(ini_.ReadString("a", "k", ""), QString(QChar(0xFEFF)));
}

TEST_F(IniFileReadTest, ValuesAreTrimmedOfBlanksAndControlCharacters) {
    // Old Mac line ends (CR alone) separate lines too.
    Given("[config]\rspeed= \t slow \x01\x7f\rsound=\x1f"
          "1\r\ncolor=\t\r\n");
    EXPECT_EQ(ini_.ReadString("config", "speed", ""), "slow");
    EXPECT_EQ(ini_.ReadString("config", "sound", ""), "1");
    EXPECT_EQ(ini_.ReadString("config", "color", "multicolored"), "");
}

TEST_F(IniFileReadTest, LongValuesAreCutTo2047CharactersBeforeTrimming) {
    Given("[a]\nx=" + QByteArray(5000, 'x') + "\nwide=" + QString(3000, QChar(0xE9)).toUtf8() +
          "\ncut=" + QByteArray(2046, 'c') + " d\nindented= \t " + QByteArray(2047, 'i') + "j\n");
    EXPECT_EQ(ini_.ReadString("a", "x", ""), QString(2047, 'x'));
    EXPECT_EQ(ini_.ReadString("a", "wide", ""), QString(2047, QChar(0xE9)));
    EXPECT_EQ(ini_.ReadString("a", "cut", ""), QString(2046, 'c'));
    EXPECT_EQ(ini_.ReadString("a", "indented", ""), QString(2047, 'i')) << "the cut counts from the value";
}

TEST_F(IniFileReadTest, DamagedFilesStillGiveWhatCanBeRead) {
    Given(Raw("[config]\nspeed=slow\n[config]\nspeed=fast\nsound=0\njunk without equals\n=nameless\n"
              "color=\xff\xfe\n\0\0\0\ndownarrow=1\0\n[bricks\nactive=yes\n"));
    EXPECT_EQ(ini_.ReadString("config", "speed", ""), "slow") << "the first entry counts";
    EXPECT_EQ(ini_.ReadString("config", "sound", ""), "0") << "a repeated section adds to the first";
    EXPECT_EQ(ini_.ReadString("config", "color", ""), QString(2, QChar::ReplacementCharacter));
    EXPECT_EQ(ini_.ReadString("config", "downarrow", ""), "1") << "NUL bytes do not hide the rest";
    // Lines after a section line without "]" belong to no section that can be asked for.
    EXPECT_EQ(ini_.ReadString("bricks", "active", "no"), "no");
    EXPECT_EQ(ini_.ReadString("config", "active", "no"), "no");
}

TEST_F(IniFileReadTest, ALargeFileIsReadWhole) {
    Given("[config]\nspeed=fast\n;" + QByteArray(2 * 1024 * 1024, 'x') + "\nsound=0\n");
    const IniValues values = ini_.Read();
    EXPECT_EQ(values.ReadString("config", "speed", "medium"), "fast");
    EXPECT_EQ(values.ReadString("config", "sound", "1"), "0");
}

} // namespace
} // namespace stacklume
