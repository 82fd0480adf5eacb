#include "DesktopSession.h"
#include "WellPixels.h"

#include <QDir>
#include <QFile>

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
    const WellPixels well(session.Screenshot(), session.WellOrigin());
    int red = 0;
    for (int row = 0; row < 19; ++row)
        for (int column = 0; column < 12; ++column) {
            const QColor gap = well.GapColour(row, column);
            red += gap.red() > 170 && gap.green() < 40 && gap.blue() < 40;
        }
    EXPECT_GT(red, 19 * 12 - 10) << "the well's background is red";
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
    settings.write("[Background]\nfile=broken.jpg\n");
    settings.close();

    // The error box comes first, titled as the game; once it is answered the game plays.
    session.StartGame();
    const QRect box = session.WindowGeometry(session.GameWindow());
    EXPECT_LT(box.height(), 400) << "the error box, not the game";
    session.PressKey(QStringLiteral("Return"));
    EXPECT_TRUE(WaitUntil([&] {
        session.FindGameWindow();
        return session.WindowGeometry(session.GameWindow()).height() > 563;
    }));
    EXPECT_TRUE(WaitUntil([&] { return !session.GameStandsStill(); })) << "the game runs";
    ASSERT_TRUE(session.CloseGame());
}

} // namespace
} // namespace stacklume::e2e
