#include "DesktopSession.h"
#include "WellPixels.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace stacklume::e2e {
namespace {

// The account of the user "nobody": it owns nothing of the package, so whatever it writes must
// go to its home.
constexpr uid_t Nobody = 65534;

// Every entry below a folder with its size and time of change: what a write would alter.
QStringList Snapshot(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(entry.filePath())
                       .arg(entry.size())
                       .arg(entry.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

bool Succeeds(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The game as an ordinary user runs it, ended with the test whatever happens.
class PlayerGame {
public:
    ~PlayerGame() {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

// The package unpacked into a scratch root, as dpkg would lay it out under /usr, and the game
// started from it by a player whose files are in a scratch home.
TEST(PackageTest, TheInstalledGameKeepsThePlayersFilesInTheirHomeAndWritesNothingElse) {
    const QString package = QStringLiteral(STACKLUME_PACKAGE);
    ASSERT_TRUE(QFileInfo::exists(package)) << package.toStdString() << " is missing: make package builds it";
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    // Others may pass through, as through /usr and /home.
    ASSERT_TRUE(QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                          QFile::ReadOther | QFile::ExeOther));
    const QString root = scratch.filePath(QStringLiteral("root"));
    const QString home = scratch.filePath(QStringLiteral("home"));
    const QString work = scratch.filePath(QStringLiteral("work"));
    for (const QString& folder : {root, home, work, home + QStringLiteral("/runtime")})
        ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(Succeeds(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package, root}));
    for (const QString& folder : {home, home + QStringLiteral("/runtime")})
        ASSERT_EQ(::chown(folder.toLocal8Bit().constData(), Nobody, Nobody), 0);
    ASSERT_TRUE(QFile::setPermissions(home + QStringLiteral("/runtime"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QStringList installed = Snapshot(root);

    DesktopSession session(1280, 899);
    PlayerGame game;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), session.Display());
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME")); // ~/.config, then
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    game.process.setProcessEnvironment(environment);
    game.process.setWorkingDirectory(work);
    game.process.setProcessChannelMode(QProcess::ForwardedChannels);
    game.process.start(QStringLiteral("setpriv"),
                       {QStringLiteral("--reuid=%1").arg(Nobody), QStringLiteral("--regid=%1").arg(Nobody),
                        QStringLiteral("--clear-groups"), root + QStringLiteral("/usr/games/stacklume")});
    ASSERT_TRUE(game.process.waitForStarted(10000));

    QString window;
    ASSERT_TRUE(WaitUntil([&] {
        window = session.FindWindow(QStringLiteral("Stacklume"));
        return !window.isEmpty() || game.process.state() == QProcess::NotRunning;
    })) << "no window";
    ASSERT_FALSE(window.isEmpty()) << "the game ended at once";
    // The well at the smallest size lies under the menu bar, 2 pixels inside its panel at (76, 44).
    const bool pieceSeen = WaitUntil([&] {
        const QRect client = session.WindowGeometry(window);
        const WellPixels well(session.Screenshot(),
                              client.topLeft() + QPoint(78, client.height() - 563 + 46));
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 12; ++column)
                if (well.HasColouredBrick(row, column))
                    return true;
        return false;
    });
    EXPECT_TRUE(pieceSeen) << "no piece in the well: an error box instead?";

    session.Run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), window});
    ASSERT_TRUE(game.process.waitForFinished(20000)) << "the game did not end when closed";
    EXPECT_EQ(game.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.process.exitCode(), 0);

    EXPECT_TRUE(ReadFile(home + QStringLiteral("/.config/stacklume/stacklume.ini")).contains("[config]"));
    EXPECT_TRUE(QFileInfo::exists(home + QStringLiteral("/data/stacklume/results.ini")));
    EXPECT_EQ(Snapshot(root), installed) << "written into the installed files";
    EXPECT_EQ(Snapshot(work), QStringList()) << "written into the current folder";
}

} // namespace
} // namespace stacklume::e2e
