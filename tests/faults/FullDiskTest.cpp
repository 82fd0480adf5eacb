#include "BestScores.h"
#include "BrickSettings.h"
#include "ChildProcess.h"
#include "Files.h"
#include "IniFile.h"
#include "IniWriteError.h"
#include "Preferences.h"
#include "RestrictedPermissions.h"
#include "ResultsFileError.h"
#include "ScoreRecord.h"

#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace stacklume::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto Deadline = 60s; // generous: the machine is shared
enum Outcome { Refused, NotRefused, LimitNotSet };

// Runs a write in a child whose files cannot grow beyond `limit` bytes, like a disk that is full
// before the new file is complete: whether the write was refused.
std::optional<int> WriteOnFullDisk(rlim_t limit, const std::function<void()>& write) {
    ChildProcess child([&](const ChildProcess::Report&) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of ending the child
        const rlimit small{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            return static_cast<int>(LimitNotSet);
        try {
            write();
        } catch (const IniWriteError&) {
            return static_cast<int>(Refused);
        } catch (const ResultsFileError&) {
            return static_cast<int>(Refused);
        }
        return static_cast<int>(NotRefused);
    });
    return child.WaitForExit(Deadline);
}

class FullDiskTest : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir folder_;
};

TEST_F(FullDiskTest, SettingsWritesThatRunOutOfRoomKeepThePreviousFileWhole) {
    const QByteArray previous = "; the player's own settings\r\n[config]\r\nspeed=slow\r\nlateral step=2\r\n"
                                "color=red\r\ndownarrow=1\r\nsound=0\r\n\r\n[bricks]\r\nactive=yes\r\n"
                                "b1=1000000000000000\r\n\r\n[Background]\r\nfile=dusk.jpg\r\n";
    const QString path = PathOf("stacklume.ini");
    struct Writer {
        const char* what;
        std::function<void()> write;
    };
    const Writer writers[] = {
        {"the close of the main window",
         [&] {
             IniFile settings(path);
             WritePreferences(settings, Preferences{});
         }},
        {"the OK of the bricks dialog",
         [&] {
             IniFile settings(path);
             WriteBrickPatterns(settings, DefaultBrickPatterns());
         }},
    };
    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.what);
        WriteBytes(path, previous);
        EXPECT_EQ(WriteOnFullDisk(64, writer.write), Refused);
        EXPECT_EQ(ReadBytes(path), previous);
        EXPECT_EQ(EntriesOf(folder_.path()), QStringList{"stacklume.ini"}) << "nothing left behind";
    }
}

TEST_F(FullDiskTest, ABestScoresWriteThatRunsOutOfRoomKeepsThePreviousFileWhole) {
    QStringList table;
    for (int score = 100; score <= 1000; score += 100)
        table.append(
            MakeRecord(score, QStringLiteral("Player%1").arg(score / 100), QStringLiteral("01/01/2020")));
    const QByteArray previous = table.join(QStringLiteral("\r\n")).toLocal8Bit() + "\r\n";
    const QString path = PathOf("results.ini");
    WriteBytes(path, previous);

    const auto write = [&] {
        BestScores scores(folder_.path(), QDate(2026, 12, 8), {});
        scores.Insert(5000, QStringLiteral("Zoe"));
        scores.Save();
    };
    EXPECT_EQ(WriteOnFullDisk(100, write), Refused);
    EXPECT_EQ(ReadBytes(path), previous);
    EXPECT_EQ(EntriesOf(folder_.path()), QStringList{"results.ini"}) << "nothing left behind";

    // With room enough the same write goes through: the limit, not the write, was the trouble.
    EXPECT_EQ(WriteOnFullDisk(previous.size() * 2, write), NotRefused);
    EXPECT_TRUE(ReadBytes(path).contains(":Zoe:"));
}

// Where the folder takes no new file, a file the player may write is written in place. A disk that
// fills up meanwhile leaves the old bytes, whether the new content is longer (no room to reserve)
// or shorter (the write itself runs out).
TEST_F(FullDiskTest, WritesInPlaceThatRunOutOfRoomLeaveThePreviousBytes) {
    const QString settingsPath = PathOf("stacklume.ini");
    const QString resultsPath = PathOf("results.ini");
    // Each write changes bytes before the limit, where a cut would show.
    const QByteArray settings = "[Background]\r\nfile=dusk.jpg\r\n[bricks]\r\nb1=1000000000000000\r\n"
                                "active=yes\r\n[config]\r\nspeed=slow\r\nlateral step=2\r\ncolor=red\r\n"
                                "downarrow=1\r\nsound=0\r\n";
    const QByteArray results =
        "00000000000100:Bob:01/12/2026\r\n" + QByteArray("00000000000500:Ann:01/12/2026\r\n").repeated(9);
    const auto enter = [&](const QString& name) {
        BestScores scores(folder_.path(), QDate(2026, 12, 8), {});
        scores.Insert(5000, name);
        scores.Save();
    };
    struct Write {
        const char* what;
        QString path;
        QByteArray previous;
        std::function<void()> write;
    };
    const Write writes[] = {
        {"the bricks dialog adds patterns", settingsPath, settings,
         [&] {
             IniFile file(settingsPath);
             WriteBrickPatterns(file, DefaultBrickPatterns());
         }},
        {"the close forgets the background", settingsPath, settings,
         [&] {
             IniFile file(settingsPath);
             Preferences preferences = ReadPreferences(file);
             preferences.BackgroundFile.clear();
             WritePreferences(file, preferences);
         }},
        {"a long name enters the table", resultsPath, results, [&] { enter("Zoe, who beat them all"); }},
        {"a short name enters the table", resultsPath, results, [&] { enter("Zoe"); }},
    };
    WriteBytes(settingsPath, settings);
    WriteBytes(resultsPath, results);
    RestrictedPermissions readOnly(folder_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_FALSE(CanCreateFileIn(folder_.path())) << "permission bits do not bind here";
    for (const Write& write : writes) {
        SCOPED_TRACE(write.what);
        WriteBytes(write.path, write.previous);
        EXPECT_EQ(WriteOnFullDisk(64, write.write), Refused);
        EXPECT_EQ(ReadBytes(write.path), write.previous);
        EXPECT_EQ(WriteOnFullDisk(1024 * 1024, write.write), NotRefused) << "with room, it goes through";
        EXPECT_NE(ReadBytes(write.path), write.previous);
    }
    EXPECT_EQ(EntriesOf(folder_.path()), QStringList({"results.ini", "stacklume.ini"}));
}

} // namespace
} // namespace stacklume::testing
