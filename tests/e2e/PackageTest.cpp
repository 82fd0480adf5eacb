#include "DesktopSession.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace stacklume::e2e {
namespace {

// The user "nobody" owns nothing of the package: whatever it writes must go to its home.
constexpr uid_t Nobody = 65534;

// Every entry below a folder with its size and time of change: what a write would alter.
QStringList Snapshot(const QString& folder) {
    QStringList entries;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo entry(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(entry.filePath())
                       .arg(entry.size())
                       .arg(entry.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

// The built package unpacked into a scratch root, as dpkg lays it out under /usr, and the game
// started from an unrelated folder by a player whose files go to a scratch home. The player owns
// the unpacked files and the current folder too, so that nothing stops a write there but the game.
TEST(PackageTest, TheInstalledGameWritesOnlyIntoThePlayersHome) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to give the files to another user and run the game as that user";
    QTemporaryDir scratch;
    const QString root = scratch.filePath("root"), home = scratch.filePath("home"),
                  work = scratch.filePath("work");
    ASSERT_TRUE(QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                          QFile::ReadOther | QFile::ExeOther));
    for (const QString& folder : {root, home, work})
        ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QDir().mkdir(home + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ASSERT_EQ(QProcess::execute("dpkg-deb", {"-x", STACKLUME_PACKAGE, root}), 0) << "make package builds it";
    ASSERT_EQ(QProcess::execute("chown", {"-R", QString("%1:%1").arg(Nobody), root, home, work}), 0);
    const QStringList installed = Snapshot(root);

    DesktopSession session(1280, 899);
    QProcess game;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", session.Environment().value("DISPLAY"));
    Silence(environment);
    environment.insert("HOME", home);
    environment.insert("XDG_RUNTIME_DIR", home + "/runtime");
    environment.insert("XDG_DATA_HOME", home + "/data");
    environment.remove("XDG_CONFIG_HOME"); // ~/.config, then
    environment.remove("QT_QPA_PLATFORM");
    game.setProcessEnvironment(environment);
    game.setWorkingDirectory(work);
    game.setProcessChannelMode(QProcess::ForwardedChannels);
    game.start("setpriv", {QString("--reuid=%1").arg(Nobody), QString("--regid=%1").arg(Nobody),
                           "--clear-groups", root + "/usr/games/stacklume"});
    const auto end = qScopeGuard([&game] {
        game.kill();
        game.waitForFinished();
    });

    session.FindGameWindow();
    EXPECT_FALSE(session.WaitForPiece().isNull()) << "no piece in the well: an error box instead?";
    session.RequestClose();
    ASSERT_TRUE(game.waitForFinished(20000)) << "the game did not end when closed";
    EXPECT_TRUE(game.exitStatus() == QProcess::NormalExit && game.exitCode() == 0);

    EXPECT_TRUE(ReadFile(home + "/.config/stacklume/stacklume.ini").contains("[config]"));
    EXPECT_TRUE(QFileInfo::exists(home + "/data/stacklume/results.ini"));
    EXPECT_EQ(Snapshot(root), installed) << "written into the installed files";
    EXPECT_EQ(Snapshot(work), QStringList()) << "written into the current folder";
}

} // namespace
} // namespace stacklume::e2e
