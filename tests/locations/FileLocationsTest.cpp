#include "FileLocations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace stacklume {
namespace {

constexpr std::array<const char*, 3> Sounds{"brick2.wav", "brick1.wav", "knock.wav"};

// A scratch file system holding a game installed under usr/, a home and a folder to work in.
class FileLocationsTest : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return root_.filePath(relative); }
    void Touch(const QString& relative) const {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(Path(relative)).path()));
        ASSERT_TRUE(QFile(Path(relative)).open(QIODevice::WriteOnly));
    }
    FileLocations Installed(const QString& configHome = {}, const QString& dataHome = {}) const {
        for (const char* name : {"help.html", "brick1.wav", "brick2.wav", "knock.wav"})
            Touch(QStringLiteral("usr/share/games/stacklume/") + name);
        QProcessEnvironment environment;
        environment.insert("HOME", Path("home") + "/");
        environment.insert("XDG_CONFIG_HOME", configHome);
        environment.insert("XDG_DATA_HOME", dataHome);
        return FileLocations(Path("usr/games"), Path("work"), environment);
    }
    QTemporaryDir root_;
};

TEST_F(FileLocationsTest, APortableFolderKeepsEverythingWhereItAlwaysWas) {
    const FileLocations bare(Path("usr/games"), ".", {});
    EXPECT_FALSE(bare.Installed()) << "no data anywhere";
    // Data beside the executable wins over an installed data folder next to it.
    Touch("usr/games/help.html");
    const FileLocations files = Installed(Path("config"), Path("data"));
    EXPECT_FALSE(files.Installed());
    EXPECT_EQ(files.SettingsFolder(), Path("usr/games"));
    EXPECT_EQ(files.BestScoresFolder(), Path("usr/games"));
    EXPECT_EQ(files.BackgroundFolders(), QStringList{Path("usr/games/background")});
    EXPECT_EQ(files.DataFolderFor(Sounds), Path("work")) << "even without the sounds";
    files.CreatePlayerFolders();
    EXPECT_FALSE(QFileInfo::exists(Path("config")));
}

// The tests run as root, who could write the installed folders: the layout does not care.
TEST_F(FileLocationsTest, AnInstalledGameKeepsThePlayersFilesInPrivateXdgFolders) {
    const FileLocations files = Installed(Path("config"), Path("data"));
    EXPECT_TRUE(files.Installed());
    EXPECT_EQ(files.SettingsFolder(), Path("config/stacklume"));
    EXPECT_EQ(files.BestScoresFolder(), Path("data/stacklume"));
    EXPECT_EQ(files.BackgroundFolders(),
              QStringList({Path("usr/share/games/stacklume/background"), Path("data/stacklume/background")}));
    files.CreatePlayerFolders();
    // Everything for the owner, nothing for the others (the "user" bits depend on who runs this).
    for (const QString& folder : {Path("config"), Path("config/stacklume"), Path("data/stacklume")})
        EXPECT_EQ(QFileInfo(folder).permissions() & 0x7077, 0x7000) << folder.toStdString();
}

TEST_F(FileLocationsTest, XdgFoldersEmptyOrRelativeFallBackToTheHome) {
    for (const char* configHome : {"", "config"}) {
        const FileLocations files = Installed(configHome, "./data");
        EXPECT_EQ(files.SettingsFolder(), Path("home/.config/stacklume"));
        EXPECT_EQ(files.BestScoresFolder(), Path("home/.local/share/stacklume"));
    }
}

TEST_F(FileLocationsTest, InstalledSoundsAndHelpComeFromTheCurrentFolderOnlyWhenThere) {
    const FileLocations files = Installed();
    EXPECT_EQ(files.HelpPage(), Path("usr/share/games/stacklume/help.html"));
    Touch("work/brick1.wav");
    Touch("work/knock.wav");
    EXPECT_EQ(files.DataFolderFor(Sounds), Path("usr/share/games/stacklume")) << "two of the three";
    Touch("work/brick2.wav");
    Touch("work/help.html");
    EXPECT_EQ(files.DataFolderFor(Sounds), Path("work"));
    EXPECT_EQ(files.HelpPage(), Path("work/help.html"));
}

} // namespace
} // namespace stacklume
