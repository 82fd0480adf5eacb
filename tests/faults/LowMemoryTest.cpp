#include "BestScores.h"
#include "ChildProcess.h"
#include "Files.h"
#include "IniFile.h"
#include "Preferences.h"
#include "ScoreRecord.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>

#include <sys/resource.h>

namespace stacklume::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto Deadline = 60s; // generous: the machine is shared
constexpr rlim_t Room = 16 * 1024 * 1024;
enum Outcome { Done, NoRoomLimit };

// The address space the process has now, in bytes, or 0 when it cannot be told.
rlim_t AddressSpaceInUse() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0)
            return static_cast<rlim_t>(std::stoull(line.substr(7))) * 1024;
    return 0;
}

// Runs `work` in a child that may take no more than Room bytes of address space beyond what it
// has, as on a machine short of memory; an allocation beyond that throws in the child.
std::optional<int> RunWithLittleMemory(const std::function<void()>& work) {
    ChildProcess child([&](const ChildProcess::Report&) {
        const rlim_t inUse = AddressSpaceInUse();
        const rlimit little{inUse + Room, inUse + Room};
        if (inUse == 0 || setrlimit(RLIMIT_AS, &little) != 0)
            return static_cast<int>(NoRoomLimit);
        work();
        return static_cast<int>(Done);
    });
    return child.WaitForExit(Deadline);
}

// The player's files are a few hundred bytes: reading, judging and writing them needs no more
// than that, whatever limits guard against damaged files.
TEST(LowMemoryTest, ThePlayersFilesAreReadAndWrittenInLittleMemory) {
    QTemporaryDir folder;
    QStringList table;
    for (int score = 100; score <= 1000; score += 100)
        table.append(MakeRecord(score, QStringLiteral("P%1").arg(score), QStringLiteral("01/01/2020")));
    WriteBytes(folder.filePath(QStringLiteral("results.ini")),
               table.join(QStringLiteral("\r\n")).toLocal8Bit() + "\r\n");
    WriteBytes(folder.filePath(QStringLiteral("stacklume.ini")), "[config]\nspeed=slow\n");

    EXPECT_EQ(RunWithLittleMemory([&] {
                  BestScores scores(folder.path(), QDate(2026, 12, 8), {});
                  if (scores.ScoreQualifies(5000))
                      scores.Insert(5000, QStringLiteral("Zoe"));
                  scores.Save();
              }),
              Done);
    EXPECT_TRUE(ReadBytes(folder.filePath(QStringLiteral("results.ini"))).contains(":Zoe:"));

    EXPECT_EQ(RunWithLittleMemory([&] {
                  IniFile settings(SettingsFilePath(folder.path()));
                  Preferences preferences = ReadPreferences(settings);
                  preferences.FallInterval = FallIntervalFast;
                  WritePreferences(settings, preferences);
              }),
              Done);
    EXPECT_TRUE(ReadBytes(folder.filePath(QStringLiteral("stacklume.ini"))).contains("speed=fast"));
}

} // namespace
} // namespace stacklume::testing
