#include "FileLocations.h"

#include <QDir>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <vector>

namespace stacklume {

namespace {

// The data files lie where the help page does: beside the executable in a portable folder, in
// the installed data folder otherwise.
constexpr const char* HelpPageName = "help.html";
// From /usr/games to /usr/share/games/stacklume, whatever the prefix the game was built for.
const QString InstalledDataFromExecutable = QStringLiteral("../share/games/stacklume");
const QString PlayerFolderName = QStringLiteral("stacklume");

bool HoldsData(const QString& folder) { return QFileInfo::exists(QDir(folder).filePath(HelpPageName)); }

// HOME, or without a usable one the account's home folder: never the root of the file system.
QString HomeFolder(const QProcessEnvironment& environment) {
    const QString home = environment.value(QStringLiteral("HOME"));
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home);
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return QDir::cleanPath(QString::fromLocal8Bit(found->pw_dir));
    return QDir::homePath();
}

// An XDG base folder: the variable's value, or HOME's default when it is unset, empty or
// relative, which XDG says to ignore.
QString XdgFolder(const QProcessEnvironment& environment, const char* variable, const QString& belowHome) {
    const QString value = environment.value(QString::fromLatin1(variable));
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return HomeFolder(environment) + QLatin1Char('/') + belowHome;
}

void MakePrivateFolder(const QString& path) {
    const QFileInfo folder(path);
    if (folder.exists() || folder.isRoot())
        return;
    MakePrivateFolder(folder.absolutePath());
    QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

FileLocations::FileLocations(const QString& executableFolder, const QString& currentFolder,
                             const QProcessEnvironment& environment)
    : currentFolder_(currentFolder) {
    const QString installedData =
        QDir::cleanPath(executableFolder + QLatin1Char('/') + InstalledDataFromExecutable);
    if (HoldsData(executableFolder) || !HoldsData(installedData)) {
        settingsFolder_ = executableFolder;
        bestScoresFolder_ = executableFolder;
        backgroundFolders_ = {QDir(executableFolder).filePath(QStringLiteral("background"))};
        return;
    }
    installedData_ = installedData;
    const QString playerData = XdgFolder(environment, "XDG_DATA_HOME", QStringLiteral(".local/share")) +
                               QLatin1Char('/') + PlayerFolderName;
    settingsFolder_ = XdgFolder(environment, "XDG_CONFIG_HOME", QStringLiteral(".config")) +
                      QLatin1Char('/') + PlayerFolderName;
    bestScoresFolder_ = playerData;
    backgroundFolders_ = {QDir(installedData_).filePath(QStringLiteral("background")),
                          QDir(playerData).filePath(QStringLiteral("background"))};
}

QString FileLocations::DataFolderFor(std::span<const char* const> fileNames) const {
    if (!Installed())
        return currentFolder_;
    const QDir current(currentFolder_);
    const bool allHere = std::ranges::all_of(
        fileNames, [&](const char* name) { return QFileInfo::exists(current.filePath(name)); });
    return allHere ? currentFolder_ : installedData_;
}

QString FileLocations::HelpPage() const {
    const std::array<const char*, 1> names{HelpPageName};
    return QDir(DataFolderFor(names)).absoluteFilePath(HelpPageName);
}

void FileLocations::CreatePlayerFolders() const {
    if (!Installed())
        return;
    MakePrivateFolder(settingsFolder_);
    MakePrivateFolder(bestScoresFolder_);
}

} // namespace stacklume
