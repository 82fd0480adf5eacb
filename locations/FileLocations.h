#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <span>

namespace stacklume {

// Where every file of the game is read and written, decided once at start-up from where the
// game's data lies, never from who runs it.
//
// Portable (the build folder, or a folder the game was installed into as a whole): the settings,
// the best scores and the background/ pictures beside the executable, the sounds and the help page
// in the current folder.
//
// Installed (the executable in a bin or games folder, its data in ../share/games/stacklume): the
// settings in $XDG_CONFIG_HOME/stacklume, the best scores in $XDG_DATA_HOME/stacklume, the
// pictures of the installed background/ folder together with the player's own from
// $XDG_DATA_HOME/stacklume/background; the sounds and the help page from the current folder when
// they are there, otherwise from the installed data folder. Nothing is written into the installed
// folders, whoever runs the game.
class FileLocations {
public:
    // The folders as given (the current one may be relative, as "."); the environment supplies
    // HOME, XDG_CONFIG_HOME and XDG_DATA_HOME.
    FileLocations(const QString& executableFolder, const QString& currentFolder,
                  const QProcessEnvironment& environment);

    bool Installed() const { return !installedData_.isEmpty(); }

    // The folder of stacklume.ini.
    const QString& SettingsFolder() const { return settingsFolder_; }
    // The folder of results.ini.
    const QString& BestScoresFolder() const { return bestScoresFolder_; }
    // The picture folders, the player's last: a picture of theirs hides an installed one of the
    // same name.
    const QStringList& BackgroundFolders() const { return backgroundFolders_; }

    // The folder the given data files are read from: the current folder when the game is
    // portable or when every one of them is there, otherwise the installed data folder.
    QString DataFolderFor(std::span<const char* const> fileNames) const;
    // The help page, by the same rule.
    QString HelpPage() const;

    // Makes the settings and best-scores folders when they are missing (a first run), readable
    // by the player alone as XDG asks. A failure is left to the writes, which name the file.
    void CreatePlayerFolders() const;

private:
    QString currentFolder_;
    QString installedData_; // empty when portable
    QString settingsFolder_;
    QString bestScoresFolder_;
    QStringList backgroundFolders_;
};

} // namespace stacklume
