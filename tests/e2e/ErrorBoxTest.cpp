#include "DesktopSession.h"
#include "WellPixels.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>

namespace stacklume::e2e {
namespace {

constexpr QFileDevice::Permissions ReadOnly =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions Enterable =
    QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;

// A folder the game may not add to, for as long as this lives.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path) : path_(std::move(path)), before_(QFile::permissions(path_)) {
        QFile::setPermissions(path_, ReadOnly | Enterable);
    }
    ~ReadOnlyFolder() { QFile::setPermissions(path_, before_); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString path_;
    QFileDevice::Permissions before_;
};

TEST(ErrorBoxTest, ARefusedWriteIsToldAndPlayGoesOn) {
    DesktopSession session(1280, 899);
    const QString settings = session.ProgramFolder() + QStringLiteral("/stacklume.ini");
    const QString results = session.ProgramFolder() + QStringLiteral("/results.ini");
    session.StartGame();
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(results); }));
    ASSERT_TRUE(QFile(settings).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::setPermissions(settings, ReadOnly) && QFile::setPermissions(results, ReadOnly));
    const ReadOnlyFolder folder(session.ProgramFolder());

    // The settings cannot be written: the close is refused with the error box, and the game plays on.
    session.RequestClose();
    session.AnswerErrorBox(session.WaitForErrorBox());
    EXPECT_TRUE(WaitUntil([&] { return !session.GameStandsStill(); })) << "the game plays on";

    // Neither can the best scores: the failure leaves the OK button's handler for the application,
    // which shows it; the table waits for a write that works.
    session.PressKey(QStringLiteral("F11"));
    QString table;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(table = session.FindWindow(QStringLiteral("Your best scores"))).isEmpty(); }));
    session.Activate(table);
    session.PressKey(QStringLiteral("Return"));
    session.AnswerErrorBox(session.WaitForErrorBox());
    EXPECT_FALSE(session.FindWindow(QStringLiteral("Your best scores")).isEmpty());

    // Files that may be written are written in place, in the folder that still takes nothing new.
    ASSERT_TRUE(QFile::setPermissions(results, ReadOnly | QFileDevice::WriteOwner));
    session.Activate(table);
    session.PressKey(QStringLiteral("Return"));
    EXPECT_TRUE(WaitUntil([&] { return session.FindWindow(QStringLiteral("Your best scores")).isEmpty(); }));
    EXPECT_EQ(ReadFile(results).count("\r\n"), 10);
    EXPECT_TRUE(WaitUntil([&] { return !session.GameStandsStill(); })) << "the game plays on";
    ASSERT_TRUE(QFile::setPermissions(settings, ReadOnly | QFileDevice::WriteOwner));
    EXPECT_TRUE(session.CloseGame());
    EXPECT_TRUE(ReadFile(settings).contains("speed=medium"));
}

// The personalized bricks, enabled, are applied while the start-up is held for a picture that
// cannot be shown: the game stands still behind the box, however long it is read, and starts then.
TEST(ErrorBoxTest, AStartUpProblemHoldsTheGameUntilItIsAnswered) {
    DesktopSession session(1280, 899);
    QFile broken(session.ProgramFolder() + QStringLiteral("/background/broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF\xE0 this is no picture");
    broken.close();
    QFile settings(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Background]\nfile=broken.jpg\n[config]\nspeed=veryslow\n[bricks]\nactive=yes\n");
    settings.close();

    session.LaunchGame();
    const QString box = session.WaitForErrorBox();
    session.WaitForGameWindow();
    const auto end = std::chrono::steady_clock::now() + 4s;
    while (std::chrono::steady_clock::now() < end)
        ASSERT_FALSE(WellPixels(session.WellShot()).HasColouredBrickInRows(0, 3))
            << "a piece fell behind the box";
    session.AnswerErrorBox(box);
    EXPECT_FALSE(session.WaitForPiece().isNull()) << "play starts once the box is answered";
    EXPECT_TRUE(session.CloseGame());
}

TEST(ErrorBoxTest, AStartUpFailureIsToldAndEndsTheProgramWithAnErrorCode) {
    DesktopSession session(1280, 899);
    ASSERT_TRUE(QFile::remove(session.ProgramFolder() + QStringLiteral("/knock.wav")));
    session.LaunchGame();
    const QString box = session.WaitForErrorBox();
    EXPECT_TRUE(session.GameWindows(DesktopSession::WindowKind::Main).isEmpty())
        << "no game without its sounds";
    session.AnswerErrorBox(box);
    EXPECT_EQ(session.WaitForGameExit(), EXIT_FAILURE);
    EXPECT_TRUE(session.GameErrors().contains("knock.wav")) << session.GameErrors().toStdString();
}

// Once the window is on screen the best-scores dialog is made, which reads the file whole: one
// larger than the memory the game may take fails there, and ends the game as a failure before.
TEST(ErrorBoxTest, AFailureOnceTheWindowIsOnScreenEndsTheProgramWithAnErrorCode) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer needs more address space than the game is given here";
#endif
    DesktopSession session(1280, 899);
    QFile results(session.ProgramFolder() + QStringLiteral("/results.ini"));
    ASSERT_TRUE(results.open(QIODevice::WriteOnly) && results.resize(64LL << 30)) << "sparse: no disk taken";
    results.close();
    session.LaunchGame({QStringLiteral("prlimit"), QStringLiteral("--as=4000000000"), QStringLiteral("--")});
    session.WaitForGameWindow();
    session.AnswerErrorBox(session.WaitForErrorBox());
    EXPECT_EQ(session.WaitForGameExit(), EXIT_FAILURE);
    EXPECT_TRUE(session.GameErrors().contains("bad_alloc")) << session.GameErrors().toStdString();
}

} // namespace
} // namespace stacklume::e2e
