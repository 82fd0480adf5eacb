#include "ChildProcess.h"
#include "Files.h"
#include "IniFile.h"
#include "ResultsFile.h"
#include "ScoreRecord.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <random>
#include <string>
#include <thread>

namespace stacklume::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto Deadline = 60s; // generous: the machine is shared
constexpr int MinInterruptions = 40;
// Kills that must land in the middle of a write, and how many kills may be tried to get them.
constexpr int MidWriteKills = 10;
constexpr int MaxInterruptions = 1000;

// What a replacement of the file may be: another file of the same folder, named or not yet (an
// unnamed temporary file shows as "#INODE (deleted)"). Reading the file, or writing it in place,
// does not count.
class Replacement {
public:
    explicit Replacement(const QString& path)
        : folder_(QFileInfo(path).canonicalPath().toStdString() + '/'),
          itself_(QFileInfo(path).canonicalFilePath().toStdString()) {}

    bool BeingWrittenBy(const ChildProcess& child) const {
        for (const std::string& open : child.OpenFiles())
            if (open.rfind(folder_, 0) == 0 && open != itself_)
                return true;
        return false;
    }

private:
    std::string folder_;
    std::string itself_;
};

// A child writes the file over and over, one content then the other, and is killed, every other
// time as soon as it writes a replacement, otherwise at a random moment; afterwards the file must
// hold one content or the other, whole. Each child is stopped before the kill to see whether it
// was writing a replacement: enough kills must land there, however quick or slow the machine.
// `write(second)` writes the second content, or the first.
void ExpectEveryInterruptionLeavesOneContentWhole(const QString& path, const QByteArray& first,
                                                  const QByteArray& second,
                                                  const std::function<void(bool second)>& write) {
    WriteBytes(path, first);
    // How long one write takes here, so that the random kills spread over whole writes.
    const auto start = Clock::now();
    for (int i = 0; i < 10; ++i)
        write(i % 2 == 0);
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / 10;
    ASSERT_EQ(ReadBytes(path), first);

    QDir folder = QFileInfo(path).dir();
    const Replacement replacement(path);
    std::mt19937 chance(20261208);
    int midWrite = 0;
    int interruption = 0;
    for (; interruption < MaxInterruptions && (interruption < MinInterruptions || midWrite < MidWriteKills);
         ++interruption) {
        SCOPED_TRACE(interruption);
        ChildProcess child([&](const ChildProcess::Report& report) {
            for (bool next = true;; next = !next) {
                write(next);
                report();
            }
            return 0;
        });
        ASSERT_TRUE(child.WaitForReports(1 + static_cast<int>(chance() % 3), Deadline))
            << "the child did not write";
        if (interruption % 2 == 0) {
            const auto end = Clock::now() + Deadline;
            while (!replacement.BeingWrittenBy(child))
                ASSERT_LT(Clock::now(), end) << "the child wrote no replacement";
        } else {
            std::this_thread::sleep_for(oneWrite * static_cast<int>(chance() % 1000) / 500);
        }
        child.Stop();
        midWrite += replacement.BeingWrittenBy(child);
        child.Kill();
        const QByteArray found = ReadBytes(path);
        ASSERT_TRUE(found == first || found == second)
            << "a mixed or cut file: " << ::testing::PrintToString(found);
        for (const QString& left : EntriesOf(folder.path()))
            if (left != QFileInfo(path).fileName())
                folder.remove(left);
    }
    EXPECT_GE(midWrite, MidWriteKills)
        << "only " << midWrite << " of " << interruption << " kills landed in the middle of a write";
}

TEST(InterruptedWriteTest, TheSettingsFileIsAlwaysTheOldOrTheNewOne) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("stacklume.ini"));
    // Long comments make a write take long enough to be caught in the middle.
    QByteArray comments;
    for (int line = 0; comments.size() < 256 * 1024; ++line)
        comments += "; a comment of the player's, line " + QByteArray::number(line) + "\n";
    const QByteArray before = comments + "[config]\nspeed=slow\nsound=1\n";
    QByteArray after = before;
    after.replace("speed=slow", "speed=veryfast");

    IniFile settings(path);
    ExpectEveryInterruptionLeavesOneContentWhole(path, before, after, [&](bool second) {
        settings.WriteString(QStringLiteral("config"), QStringLiteral("speed"),
                             second ? QStringLiteral("veryfast") : QStringLiteral("slow"));
    });
}

TEST(InterruptedWriteTest, TheBestScoresFileIsAlwaysTheOldOrTheNewOne) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("results.ini"));
    QStringList before(10, EmptyRecord);
    QStringList after;
    for (int score = 100; score <= 1000; score += 100)
        after.append(
            MakeRecord(score, QStringLiteral("Player%1").arg(score / 100), QStringLiteral("01/01/2020")));
    const auto bytes = [](const QStringList& lines) {
        return lines.join(QStringLiteral("\r\n")).toLocal8Bit() + "\r\n";
    };

    const ResultsFile results(path);
    ExpectEveryInterruptionLeavesOneContentWhole(
        path, bytes(before), bytes(after), [&](bool second) { results.Write(second ? after : before); });
}

} // namespace
} // namespace stacklume::testing
