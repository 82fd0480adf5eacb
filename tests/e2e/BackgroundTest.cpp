#include "DesktopSession.h"
#include "WellPixels.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace stacklume::e2e {
namespace {

// A program folder whose background folder holds exactly the pictures given.
void ReplaceBackgrounds(const DesktopSession& session, const std::function<void(const QDir&)>& write) {
    QDir folder(session.ProgramFolder() + QStringLiteral("/background"));
    ASSERT_TRUE(folder.removeRecursively());
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    write(folder);
}

TEST(BackgroundPictureTest, OnlyPictureColoursTheEmptyCellsAndIsRemembered) {
    DesktopSession session(1280, 899);
    ReplaceBackgrounds(session, [](const QDir& folder) {
        QImage red(120, 200, QImage::Format_RGB32);
        red.fill(QColor(200, 0, 0));
        ASSERT_TRUE(red.save(folder.filePath(QStringLiteral("red.jpg")), "JPG", 95));
    });
    session.StartGame();
    int red = 0;
    // Every gap between the cells shows the picture, but where the falling piece hides it.
    const bool shown = WaitUntil([&] {
        const WellPixels well(session.WellShot());
        red = 0;
        for (int row = 0; row < 19; ++row)
            for (int column = 0; column < 12; ++column) {
                const QColor gap = well.GapColour(row, column);
                red += gap.red() > 170 && gap.green() < 40 && gap.blue() < 40;
            }
        return red > 19 * 12 - 10;
    });
    EXPECT_TRUE(shown) << "the well's background is red: red cells " << red << " of " << 19 * 12;
    ASSERT_TRUE(session.CloseGame());
    EXPECT_TRUE(
        ReadFile(session.ProgramFolder() + QStringLiteral("/stacklume.ini")).contains("file=red.jpg"));
}

TEST(BackgroundPictureTest, CorruptPictureInTheSettingsStillLetsTheGameStart) {
    DesktopSession session(1280, 899);
    ReplaceBackgrounds(session, [](const QDir& folder) {
        QFile broken(folder.filePath(QStringLiteral("broken.jpg")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\xFF\xD8\xFF\xE0 this is no picture");
    });
    QFile settings(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    // Very slow, so that the first piece is still falling when it is first seen.
    settings.write("[Background]\nfile=broken.jpg\n[config]\nspeed=veryslow\n");
    settings.close();

    // The game waits, built and still, while the box is open, however long that is.
    session.LaunchGame();
    const QString box = session.WaitForErrorBox();
    QThread::sleep(4);
    session.AnswerErrorBox(box);
    session.FindGameWindow();
    const QImage shot = session.WaitForPiece();
    ASSERT_FALSE(shot.isNull()) << "no piece in the well";
    EXPECT_TRUE(WellPixels(shot).HoldsOnlyANewPiece())
        << "more than the first piece, or not where pieces come in";
    EXPECT_TRUE(WaitUntil([&] { return !session.GameStandsStill(); })) << "the game runs";
    ASSERT_TRUE(session.CloseGame());
}

} // namespace
} // namespace stacklume::e2e
