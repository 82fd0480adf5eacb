#include "FakePlatform.h"
#include "MainWindow.h"
#include "WellPicture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

QString SettingsPath(const FakePlatform& platform) {
    return platform.services.ProgramFolder + "/stacklume.ini";
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a settings file without blanks and line ends, in order.
QByteArrayList Lines(const QByteArray& content) {
    QByteArrayList lines;
    for (const QByteArray& line : content.split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

TEST(MainWindowSettingsTest, FirstRunStartsWithTheDefaultsAndWritesAllSevenKeys) {
    FakePlatform platform;
    {
        MainWindow window(platform.services);
        const GameOptions& options = window.GetGame().Options();
        EXPECT_EQ(options.FallInterval, FallIntervalMedium);
        EXPECT_EQ(options.LateralLatency, LateralLatencyMedium);
        EXPECT_TRUE(window.Menu().N22->isChecked());
        EXPECT_EQ(options.DownArrowMode, DownArrowDrop);
        EXPECT_TRUE(options.SoundOn);
        EXPECT_FALSE(options.RedShades);
        EXPECT_EQ(options.KindCount, 8);
        EXPECT_EQ(window.Timer1->interval(), 45);
        EXPECT_TRUE(window.close());
    }
    const QByteArrayList lines = Lines(ReadFile(SettingsPath(platform)));
    EXPECT_EQ(lines,
              (QByteArrayList{"[config]", "speed=medium", "lateral step=3", "color=multicolored",
                              "downarrow=0", "sound=1", "[bricks]", "active=no", "[Background]", "file="}));
}

TEST(MainWindowSettingsTest, OddValuesAreAppliedByTheirLastBranchAndWrittenBackNormalised) {
    FakePlatform platform;
    WriteFile(SettingsPath(platform),
              "[config]\nspeed=Slow\nlateral step=5\ndownarrow=7\nsound=yes\ncolor=blue\n"
              "[bricks]\nactive=YES\n");
    {
        MainWindow window(platform.services);
        EXPECT_TRUE(window.Menu().veryslow->isChecked());
        EXPECT_TRUE(window.Menu().N32->isChecked());
        EXPECT_TRUE(window.Menu().Rotate1->isChecked());
        EXPECT_FALSE(window.Menu().Sound1->isChecked());
        EXPECT_TRUE(window.Menu().multicolor1->isChecked());
        EXPECT_TRUE(window.close());
    }
    const QByteArray written = ReadFile(SettingsPath(platform));
    for (const char* line :
         {"speed=veryslow", "lateral step=4", "downarrow=2", "sound=0", "color=multicolored", "active=no"})
        EXPECT_TRUE(written.contains(line)) << line << " in\n" << written.toStdString();
}

TEST(MainWindowSettingsTest, PreferencesChosenFromTheMenuSurviveARestart) {
    FakePlatform platform;
    {
        MainWindow window(platform.services);
        window.Menu().Veyfast->trigger();
        window.Menu().N12->trigger();
        window.Menu().Fastdrop1->trigger();
        window.Menu().redshade1->trigger();
        window.Menu().Sound1->trigger();
        EXPECT_FALSE(window.GetGame().Options().SoundOn);
        EXPECT_TRUE(window.close());
    }
    MainWindow window(platform.services);
    const GameOptions& options = window.GetGame().Options();
    EXPECT_EQ(options.FallInterval, FallIntervalVeryFast);
    EXPECT_TRUE(window.Menu().Veyfast->isChecked());
    EXPECT_EQ(options.LateralLatency, LateralLatencyShort);
    EXPECT_EQ(options.DownArrowMode, DownArrowFastDrop);
    EXPECT_TRUE(options.RedShades);
    EXPECT_EQ(options.ActiveImageList, ImageListId::ImageList4);
    EXPECT_FALSE(options.SoundOn);
}

TEST(MainWindowSettingsTest, RefusedWriteKeepsTheWindowOpenAndSaysSo) {
    FakePlatform platform;
    MainWindow window(platform.services);
    // A folder where the file should be: no write can replace it, not even as root.
    ASSERT_TRUE(QDir().mkdir(SettingsPath(platform)));
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].startsWith(QStringLiteral("Impossible d'écrire dans ")));
    EXPECT_TRUE(platform.errors[0].contains(SettingsPath(platform)));

    // Once the way is clear again, the close goes through.
    ASSERT_TRUE(QDir().rmdir(SettingsPath(platform)));
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(ReadFile(SettingsPath(platform)).contains("speed=medium"));
}

class BackgroundTest : public ::testing::Test {
protected:
    BackgroundTest() { QDir(platform.services.ProgramFolder).mkdir(QStringLiteral("background")); }

    void WritePicture(const QString& name, QColor colour, QSize size = {100, 100}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(platform.services.ProgramFolder + "/background/" + name, "JPG", 95));
    }

    FakePlatform platform;
};

TEST_F(BackgroundTest, UndecodablePictureAtStartUpIsReportedAndPlayGoesOn) {
    WriteFile(platform.services.ProgramFolder + "/background/broken.jpg", "not a picture at all");
    MainWindow window(platform.services);
    ASSERT_EQ(platform.errors.size(), 1);
    EXPECT_TRUE(platform.errors[0].contains(QStringLiteral("broken.jpg")));
    window.StartPlay(); // once the problem has been answered
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.BackgroundFile(), QStringLiteral("broken.jpg"));
}

TEST_F(BackgroundTest, PictureChosenWhilePausedShowsAtOnceWithoutThePiece) {
    WritePicture(QStringLiteral("blue.jpg"), Qt::blue);
    WritePicture(QStringLiteral("red.jpg"), Qt::red);
    WriteFile(SettingsPath(platform), "[Background]\nfile=RED.jpg\n");
    MainWindow window(platform.services);
    const QList<QAction*> items = window.Menu().Background1->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_TRUE(items[1]->isChecked());
    EXPECT_EQ(window.BackgroundFile(), QStringLiteral("red.jpg")) << "kept as read, lower-cased";

    window.Timer1Timer();
    window.pause1Click();
    items[0]->trigger();
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(window.BackgroundFile(), QStringLiteral("blue.jpg"));
    // Pure blue: no brick of either scheme comes near it.
    const auto showsThePicture = [](QColor colour) {
        return colour.blue() > 200 && colour.red() < 60 && colour.green() < 60;
    };
    auto* picture = window.findChild<WellPicture*>(QStringLiteral("Image2"));
    EXPECT_TRUE(showsThePicture(picture->Frame().pixelColor(2, 2)));
    const Piece& piece = window.GetGame().CurrentPiece();
    int cells = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (piece.Shape[r][c] != 0) {
                ++cells;
                EXPECT_TRUE(showsThePicture(
                    picture->Frame().pixelColor((piece.X + c) * 24 + 11, (piece.Y + r) * 24 + 11)))
                    << "the falling piece is drawn at row " << r << ", column " << c;
            }
    EXPECT_GE(cells, 3);
}

TEST_F(BackgroundTest, FirstPictureIsShownWhenTheSettingIsEmpty) {
    WritePicture(QStringLiteral("b.jpg"), Qt::green);
    WritePicture(QStringLiteral("A.JPG"), Qt::red);
    MainWindow window(platform.services);
    EXPECT_EQ(window.BackgroundFile(), QStringLiteral("A.JPG"));
    for (const QAction* item : window.Menu().Background1->actions())
        EXPECT_FALSE(item->isChecked());
}

} // namespace
} // namespace stacklume::testing
