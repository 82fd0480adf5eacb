#include "IniWriteError.h"
#include "RestrictedPermissions.h"
#include "SettingsFolder.h"

#include <QDir>
#include <QFileDevice>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>

namespace stacklume {
namespace {

using testing::CanCreateFileIn;
using testing::RestrictedPermissions;
using IniFileWriteTest = SettingsFolder;

struct Edit {
    const char* what;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

// Every case keeps all bytes but the one value it sets or the lines it adds.
TEST_F(IniFileWriteTest, AWriteChangesOneValueAndKeepsEveryOtherByte) {
    const Edit edits[] = {
        {"new file", "<no file>", "Background", "file", "a.jpg", "[Background]\nfile=a.jpg\n"},
        {"value replaced in place", "; mine\r\n[Config]\r\nSpeed = slow  ; old\r\nother=1\r\n", "config",
         "speed", "fast", "; mine\r\n[Config]\r\nSpeed = fast\r\nother=1\r\n"},
        {"empty value filled", "[config]\nsound=\n", "config", "sound", "0", "[config]\nsound=0\n"},
        {"key added after the section's last entry", "[config]\nspeed=slow\n\n; bricks\n[bricks]\nb1=1\n",
         "config", "sound", "0", "[config]\nspeed=slow\nsound=0\n\n; bricks\n[bricks]\nb1=1\n"},
        {"key added to the first of two blocks", "[a]\nx=1\n[b]\n[A]\ny=2", "a", "z", "3",
         "[a]\nx=1\nz=3\n[b]\n[A]\ny=2"},
        {"key added after an unended last line", "[a]\r\nx=1", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n"},
        {"section added at the end", "[a]\nx=1", "bricks", "active", "yes",
         "[a]\nx=1\n\n[bricks]\nactive=yes\n"},
        {"NUL byte", Raw("[config]\nspeed=slow\0junk\nsound=1\n"), "config", "sound", "0",
         Raw("[config]\nspeed=slow\0junk\nsound=0\n")},
        {"line without equals", "[config]\njust words\nspeed=slow\n", "config", "speed", "fast",
         "[config]\njust words\nspeed=fast\n"},
        {"unterminated section", "[config]\n[bricks\nsound=1\n", "bricks", "active", "no",
         "[config]\n[bricks\nsound=1\n\n[bricks]\nactive=no\n"},
        {"long value", "[bricks]\nb1=" + QByteArray(5000, '1') + "\nb2=0\n", "bricks", "b2", "1",
         "[bricks]\nb1=" + QByteArray(5000, '1') + "\nb2=1\n"},
        {"invalid UTF-8", "[Background]\nfile=\xe9t\xe9.jpg\n\xff\n", "Background", "file", "b.jpg",
         "[Background]\nfile=b.jpg\n\xff\n"},
        // A "[" with only blanks after it would take a following line as its name.
        {"dangling bracket", "[a]\n[  \n\n", "b", "k", "v", "[a]\n\n[b]\nk=v\n[  \n\n"},
        {"line breaks in the value", "", "a", "k", "one\ntwo\r[b]", "[a]\nk=one two [b]\n"},
        {"large file", ";" + QByteArray(2 * 1024 * 1024, 'x') + "\n[a]\nk=1\n", "a", "k", "2",
         ";" + QByteArray(2 * 1024 * 1024, 'x') + "\n[a]\nk=2\n"},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.what);
        QFile::remove(path_);
        if (edit.before != "<no file>")
            Given(edit.before);
        ini_.WriteString(edit.section, edit.key, edit.value);
        EXPECT_EQ(Bytes(), edit.after);
        EXPECT_EQ(ini_.ReadString(edit.section, edit.key, "?"), QString(edit.value).simplified());
    }
}

TEST_F(IniFileWriteTest, TwoOwnersOfTheFileNeverUndoEachOther) {
    IniFile window(path_);
    IniFile bricksDialog(path_);
    window.WriteString("config", "speed", "fast");
    bricksDialog.WriteString("bricks", "b1", "1111000000000000");
    window.WriteString("config", "sound", "0");
    bricksDialog.WriteString("bricks", "b2", "0000111100000000");
    EXPECT_EQ(ini_.ReadString("config", "speed", ""), "fast");
    EXPECT_EQ(ini_.ReadString("config", "sound", ""), "0");
    EXPECT_EQ(ini_.ReadString("bricks", "b1", ""), "1111000000000000");
    EXPECT_EQ(ini_.ReadString("bricks", "b2", ""), "0000111100000000");
}

TEST_F(IniFileWriteTest, NamesThatCouldNotBeReadBackAreRefused) {
    const std::pair<const char*, const char*> names[] = {{"", "k"},   {"a]", "k"},  {" a", "k"},
                                                         {"a", ""},   {"a", "k=v"}, {"a", "[k"},
                                                         {"a", ";k"}, {"a", "k\n"}, {"a", "k "}};
    for (const auto& [section, key] : names)
        EXPECT_THROW(ini_.WriteString(section, key, "v"), std::invalid_argument) << section << "/" << key;
    EXPECT_FALSE(QFile::exists(path_));
}

void ExpectWriteRefused(IniFile& ini) {
    try {
        ini.WriteString("config", "speed", "fast");
        ADD_FAILURE() << "the write was not refused";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Impossible d'écrire dans " + ini.FilePath().toStdString());
    }
}

TEST_F(IniFileWriteTest, ARefusedWriteThrowsNamingTheFileAndKeepsIt) {
    IniFile inMissingFolder(folder_.filePath("missing/stacklume.ini"));
    ExpectWriteRefused(inMissingFolder);

    ASSERT_TRUE(QDir().mkpath(path_ + ".d"));
    IniFile onFolder(path_ + ".d");
    ExpectWriteRefused(onFolder);
}

TEST_F(IniFileWriteTest, AReadOnlyFileRefusesTheWriteAndAReadOnlyFolderTakesItInPlace) {
    Given("[config]\nspeed=slow\n");
    {
        RestrictedPermissions readOnly(path_, QFileDevice::ReadOwner);
        ASSERT_NE(access(path_.toLocal8Bit().constData(), W_OK), 0) << "permission bits do not bind here";
        ExpectWriteRefused(ini_);
    }
    EXPECT_EQ(Bytes(), "[config]\nspeed=slow\n");
    RestrictedPermissions readOnly(folder_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_FALSE(CanCreateFileIn(folder_.path())) << "permission bits do not bind here";
    ini_.WriteString("config", "speed", "fast");
    EXPECT_EQ(Bytes(), "[config]\nspeed=fast\n");
}

// A file size limit makes the write fail half-way, for root too.
TEST_F(IniFileWriteTest, AWriteThatFailsHalfWayLeavesThePreviousFileWhole) {
    const QByteArray before = "[config]\nspeed=slow\n";
    Given(before);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool refused = false;
    try {
        ini_.WriteString("config", "sound", QString(1000, '1'));
    } catch (const IniWriteError&) {
        refused = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(refused);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList{"stacklume.ini"})
        << "no temporary left";
}

} // namespace
} // namespace stacklume
