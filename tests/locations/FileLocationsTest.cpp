#include "FileLocations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace stacklume {
namespace {

constexpr std::array<const char*, 3> Sounds{"brick2.wav", "brick1.wav", "knock.wav"};

// A scratch file system: a portable folder, a game installed under usr/, a home and a folder the
// player works in.
class FileLocationsTest : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return root_.filePath(relative); }

    void Touch(const QString& relative) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(Path(relative)).path()));
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    void InstallData() {
        ASSERT_TRUE(QDir().mkpath(Path("usr/games")));
        for (const char* name : {"help.html", "brick1.wav", "brick2.wav", "knock.wav", "background/dusk.jpg"})
            Touch(QStringLiteral("usr/share/games/stacklume/") + name);
    }

    FileLocations Installed(const QProcessEnvironment& environment) const {
        return FileLocations(Path("usr/games"), Path("work"), environment);
    }

    QProcessEnvironment Environment(const QString& configHome, const QString& dataHome) const {
        QProcessEnvironment environment;
        environment.insert("HOME", Path("home"));
        environment.insert("XDG_CONFIG_HOME", configHome);
        environment.insert("XDG_DATA_HOME", dataHome);
        return environment;
    }

    QTemporaryDir root_;
};

TEST_F(FileLocationsTest, APortableFolderKeepsEverythingWhereItAlwaysWas) {
    Touch("games/help.html");
    Touch("games/knock.wav");
    // Data beside the executable wins, even with an installed data folder next to it.
    Touch("share/games/stacklume/help.html");
    const FileLocations files(Path("games"), ".", Environment(Path("config"), Path("data")));

    EXPECT_FALSE(files.Installed());
    EXPECT_EQ(files.SettingsFolder(), Path("games"));
    EXPECT_EQ(files.BestScoresFolder(), Path("games"));
    EXPECT_EQ(files.BackgroundFolders(), QStringList{Path("games/background")});
    EXPECT_EQ(files.DataFolderFor(Sounds), ".") << "the current folder even without the sounds";
    EXPECT_EQ(files.HelpPage(), QDir::current().absoluteFilePath("help.html"));
    files.CreatePlayerFolders();
    EXPECT_FALSE(QFileInfo::exists(Path("config")));
    EXPECT_FALSE(QFileInfo::exists(Path("data")));
}

TEST_F(FileLocationsTest, WithoutDataAnywhereTheGameStaysPortable) {
    const FileLocations files(Path("usr/games"), Path("work"), Environment(Path("config"), Path("data")));
    EXPECT_FALSE(files.Installed());
    EXPECT_EQ(files.SettingsFolder(), Path("usr/games"));
    EXPECT_EQ(files.DataFolderFor(Sounds), Path("work"));
}

// The tests run as root, who could write the installed folders: the layout does not care.
TEST_F(FileLocationsTest, AnInstalledGameKeepsThePlayersFilesInTheXdgFoldersCreatedPrivate) {
    InstallData();
    const FileLocations files = Installed(Environment(Path("config"), Path("data")));

    EXPECT_TRUE(files.Installed());
    EXPECT_EQ(files.SettingsFolder(), Path("config/stacklume"));
    EXPECT_EQ(files.BestScoresFolder(), Path("data/stacklume"));
    EXPECT_EQ(files.BackgroundFolders(),
              QStringList({Path("usr/share/games/stacklume/background"), Path("data/stacklume/background")}));

    files.CreatePlayerFolders();
    const auto privateFolder = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    for (const QString& folder : {Path("config"), Path("config/stacklume"), Path("data/stacklume")}) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_TRUE(QFileInfo(folder).isDir());
        // Without the bits for "the user running this", which depend on who that is.
        EXPECT_EQ(QFileInfo(folder).permissions() & ~QFileDevice::Permissions(0x0700), privateFolder);
    }
    EXPECT_EQ(QDir(Path("usr/share/games/stacklume")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"background", "brick1.wav", "brick2.wav", "help.html", "knock.wav"}));
}

TEST_F(FileLocationsTest, XdgFoldersUnsetEmptyOrRelativeFallBackToTheHome) {
    InstallData();
    QProcessEnvironment unset;
    unset.insert("HOME", Path("home") + "/");
    for (const QProcessEnvironment& environment :
         {unset, Environment("", ""), Environment("cfg", "./data")}) {
        const FileLocations files = Installed(environment);
        EXPECT_EQ(files.SettingsFolder(), Path("home/.config/stacklume"));
        EXPECT_EQ(files.BestScoresFolder(), Path("home/.local/share/stacklume"));
    }
}

TEST_F(FileLocationsTest, InstalledSoundsAndHelpComeFromTheCurrentFolderOnlyWhenThere) {
    InstallData();
    const FileLocations files = Installed(Environment(Path("config"), Path("data")));
    const QString installed = Path("usr/share/games/stacklume");
    EXPECT_EQ(files.DataFolderFor(Sounds), installed);
    EXPECT_EQ(files.HelpPage(), installed + "/help.html");

    Touch("work/brick1.wav");
    Touch("work/knock.wav");
    EXPECT_EQ(files.DataFolderFor(Sounds), installed) << "two of the three sounds are not the sounds";
    Touch("work/brick2.wav");
    Touch("work/help.html");
    EXPECT_EQ(files.DataFolderFor(Sounds), Path("work"));
    EXPECT_EQ(files.HelpPage(), Path("work/help.html"));
}

} // namespace
} // namespace stacklume
