#include "Backgrounds.h"
#include "JpegError.h"
#include "JpegWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace stacklume::testing {
namespace {

constexpr QRgb ButtonFace = 0xffefefef;
constexpr QRgb Red = 0xffc02020, Green = 0xff20a040, Blue = 0xff2040c0, Yellow = 0xffe0d030;
constexpr QSize Well(372, 620);

class BackgroundsTest : public ::testing::Test {
protected:
    BackgroundsTest() : background(programFolder.filePath("background")), buffer(Well, QImage::Format_RGB32) {
        buffer.fill(ButtonFace);
    }

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(background)); }

    void AddPicture(const QString& name, const QImage& picture) {
        WriteFile(QDir(background).filePath(name), EncodeJpeg(picture));
    }
    void AddPicture(const QString& name, QRgb colour, QSize size = {200, 300}) {
        AddPicture(name, Quadrants(size.width(), size.height(), colour, colour, colour, colour));
    }

    // Number of pixels of the buffer that differ from `colour` by more than JPEG's noise.
    int PixelsNotNear(QRgb colour, QRect area = QRect({0, 0}, Well)) const {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += Near(buffer.pixel(x, y), colour) ? 0 : 1;
        return count;
    }

    QTemporaryDir programFolder;
    QString background;
    QImage buffer;
};

TEST_F(BackgroundsTest, ListsEveryJpgEntryInAnyCaseSortedWithoutRegardToCase) {
    AddPicture("b.jpg", Red);
    AddPicture("a.jpg", Red);
    AddPicture("C.JPG", Red);
    AddPicture("Beach.Jpg", Red);
    AddPicture("photo.jpeg", Red);
    AddPicture("notes.txt", Red);
    AddPicture("jpg", Red);
    ASSERT_TRUE(QDir(background).mkdir("album.jpg"));

    const Backgrounds backgrounds({background});
    EXPECT_EQ(backgrounds.Names(), QStringList({"a.jpg", "album.jpg", "b.jpg", "Beach.Jpg", "C.JPG"}));
}

TEST_F(BackgroundsTest, ALowerCasedSettingFindsTheFileAsSpelledOnDisk) {
    AddPicture("a.jpg", Blue);
    AddPicture("B.JPG", Red);
    const Backgrounds backgrounds({background});
    ASSERT_EQ(backgrounds.Names(), QStringList({"a.jpg", "B.JPG"}));

    EXPECT_EQ(backgrounds.CheckedIndex("b.jpg"), 1);
    EXPECT_EQ(backgrounds.ChooseFile("b.jpg"), "b.jpg") << "a setting that names a picture is kept as it is";
    EXPECT_TRUE(backgrounds.LoadPicture("b.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Red), 0);

    // Where both spellings exist, the exact one wins.
    AddPicture("b.jpg", Green);
    const Backgrounds both({background});
    ASSERT_EQ(both.Names(), QStringList({"a.jpg", "B.JPG", "b.jpg"}));
    EXPECT_EQ(both.CheckedIndex("b.jpg"), 2);
    EXPECT_EQ(both.CheckedIndex("B.jpg"), 1);
    ASSERT_TRUE(both.LoadPicture("b.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Green), 0);
}

TEST_F(BackgroundsTest, APictureInALaterFolderHidesTheSameNameInAnEarlierOne) {
    AddPicture("dusk.jpg", Red);
    AddPicture("Beach.jpg", Red);
    const QString player = programFolder.filePath("player");
    ASSERT_TRUE(QDir().mkpath(player));
    WriteFile(QDir(player).filePath("dusk.jpg"), EncodeJpeg(Quadrants(200, 300, Blue, Blue, Blue, Blue)));
    WriteFile(QDir(player).filePath("attic.jpg"),
              EncodeJpeg(Quadrants(200, 300, Green, Green, Green, Green)));
    const Backgrounds backgrounds({background, player, programFolder.filePath("missing")});

    EXPECT_EQ(backgrounds.Names(), QStringList({"attic.jpg", "Beach.jpg", "dusk.jpg"}));
    ASSERT_TRUE(backgrounds.LoadPicture("dusk.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Blue), 0);
    ASSERT_TRUE(backgrounds.LoadPicture("beach.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Red), 0);
}

TEST_F(BackgroundsTest, WithoutAUsableSettingTheFirstPictureIsChosenAndNothingChecked) {
    AddPicture("Dunes.JPG", Yellow);
    AddPicture("sea.jpg", Blue);
    ASSERT_TRUE(QDir(background).mkdir("folder.jpg"));
    const Backgrounds backgrounds({background});

    for (const QString setting : {"", "gone.jpg", "../background/sea.jpg", "folder.jpg"}) {
        SCOPED_TRACE(setting.toStdString());
        EXPECT_EQ(backgrounds.ChooseFile(setting), "Dunes.JPG");
    }
    EXPECT_EQ(backgrounds.CheckedIndex(""), -1);
    EXPECT_EQ(backgrounds.CheckedIndex("gone.jpg"), -1);
    EXPECT_EQ(backgrounds.CheckedIndex("folder.jpg"), 1) << "listed and checked, though not a picture";

    ASSERT_TRUE(backgrounds.LoadPicture(backgrounds.ChooseFile(""), buffer));
    EXPECT_EQ(PixelsNotNear(Yellow), 0);
}

TEST_F(BackgroundsTest, WithoutAFolderNothingIsListedAndTheSettingIsKept) {
    ASSERT_TRUE(QDir(background).removeRecursively());
    const Backgrounds backgrounds({background});
    EXPECT_TRUE(backgrounds.Names().isEmpty());
    EXPECT_EQ(backgrounds.ChooseFile("sunset.jpg"), "sunset.jpg");
    EXPECT_EQ(backgrounds.ChooseFile(""), "");
    EXPECT_EQ(backgrounds.CheckedIndex("sunset.jpg"), -1);
    EXPECT_FALSE(backgrounds.LoadPicture("sunset.jpg", buffer));
    EXPECT_FALSE(backgrounds.LoadPicture("", buffer));
    EXPECT_EQ(PixelsNotNear(ButtonFace), 0);
}

TEST_F(BackgroundsTest, OnlyRegularFilesAndLinksToThemAreLoaded) {
    AddPicture("first.jpg", Green);
    AddPicture("deleted.jpg", Red);
    ASSERT_TRUE(QDir(background).mkdir("folder.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(QDir(background).filePath("pipe.jpg")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("nowhere.jpg", QDir(background).filePath("dangling.jpg")));
    ASSERT_TRUE(QFile::link("first.jpg", QDir(background).filePath("linked.jpg")));
    const Backgrounds backgrounds({background});
    ASSERT_EQ(backgrounds.Names(), QStringList({"dangling.jpg", "deleted.jpg", "first.jpg", "folder.jpg",
                                                "linked.jpg", "pipe.jpg"}));

    ASSERT_TRUE(backgrounds.LoadPicture("linked.jpg", buffer));
    ASSERT_TRUE(QFile::remove(QDir(background).filePath("deleted.jpg")));
    for (const QString name : {"deleted.jpg", "folder.jpg", "pipe.jpg", "dangling.jpg", "later.jpg"}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(backgrounds.LoadPicture(name, buffer));
    }
    EXPECT_EQ(PixelsNotNear(Green), 0) << "the previous picture stays";
}

TEST_F(BackgroundsTest, AStretchedPictureCoversTheWholeBufferIgnoringItsAspect) {
    // Wide and large: decoded at a reduced scale, then stretched to the tall well.
    AddPicture("wide.jpg", Quadrants(4000, 1000, Red, Green, Blue, Yellow));
    AddPicture("small.jpg", Quadrants(120, 80, Red, Green, Blue, Yellow));
    const Backgrounds backgrounds({background});

    for (const QString name : {"wide.jpg", "small.jpg"}) {
        SCOPED_TRACE(name.toStdString());
        buffer.fill(ButtonFace);
        ASSERT_TRUE(backgrounds.LoadPicture(name, buffer));
        // Each quadrant of the picture fills a quadrant of the well; the seams blur.
        const int seamX = Well.width() / 2, seamY = Well.height() / 2, margin = 24;
        EXPECT_EQ(PixelsNotNear(Red, QRect(0, 0, seamX - margin, seamY - margin)), 0);
        EXPECT_EQ(PixelsNotNear(Green, QRect(seamX + margin, 0, seamX - margin, seamY - margin)), 0);
        EXPECT_EQ(PixelsNotNear(Blue, QRect(0, seamY + margin, seamX - margin, seamY - margin)), 0);
        EXPECT_EQ(
            PixelsNotNear(Yellow, QRect(seamX + margin, seamY + margin, seamX - margin, seamY - margin)), 0);
        EXPECT_TRUE(Near(buffer.pixel(Well.width() - 1, Well.height() - 1), Yellow));
    }
}

TEST_F(BackgroundsTest, APatternIsDrawnAtItsOwnSizeOverWhatWasThere) {
    AddPicture("sky.jpg", Blue);
    AddPicture("MyPattern.jpg", Red, {160, 160});
    AddPicture("bigPATTERN.jpg", Quadrants(400, 700, Green, Yellow, Green, Yellow));
    const Backgrounds backgrounds({background});
    EXPECT_TRUE(Backgrounds::IsPattern("MyPattern.jpg"));
    EXPECT_FALSE(Backgrounds::IsPattern("patter.jpg"));

    ASSERT_TRUE(backgrounds.LoadPicture("sky.jpg", buffer));
    ASSERT_TRUE(backgrounds.LoadPicture("mypattern.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Red, QRect(0, 0, 160, 160)), 0);
    EXPECT_EQ(PixelsNotNear(Blue, QRect(160, 0, Well.width() - 160, Well.height())), 0);
    EXPECT_EQ(PixelsNotNear(Blue, QRect(0, 160, 160, Well.height() - 160)), 0);

    // A larger one is cut off at the right and bottom, not shrunk: its halves meet at x = 200.
    ASSERT_TRUE(backgrounds.LoadPicture("bigPATTERN.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Green, QRect(0, 0, 195, Well.height())), 0);
    EXPECT_EQ(PixelsNotNear(Yellow, QRect(205, 0, Well.width() - 205, Well.height())), 0);

    // At 200 % a pattern covers as much of the well as at 100 %, in twice as many device pixels.
    buffer = QImage(Well * 2, QImage::Format_RGB32);
    buffer.setDevicePixelRatio(2);
    ASSERT_TRUE(backgrounds.LoadPicture("sky.jpg", buffer));
    ASSERT_TRUE(backgrounds.LoadPicture("mypattern.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Red, QRect(0, 0, 320, 320)), 0);
    EXPECT_EQ(PixelsNotNear(Blue, QRect(330, 0, 2 * Well.width() - 330, 2 * Well.height())), 0);
    ASSERT_TRUE(backgrounds.LoadPicture("bigPATTERN.jpg", buffer));
    EXPECT_EQ(PixelsNotNear(Green, QRect(0, 0, 390, 2 * Well.height())), 0);
    EXPECT_EQ(PixelsNotNear(Yellow, QRect(410, 0, 2 * Well.width() - 410, 2 * Well.height())), 0);
}

TEST_F(BackgroundsTest, ABadPictureLeavesTheBufferUntouched) {
    AddPicture("good.jpg", Green);
    WriteFile(QDir(background).filePath("bad.jpg"), "GIF89a, not what the name says");
    QByteArray truncated = EncodeJpeg(Quadrants(400, 400, Red, Red, Red, Red));
    truncated.truncate(truncated.size() * 3 / 4);
    WriteFile(QDir(background).filePath("cut pattern.jpg"), truncated);
    const Backgrounds backgrounds({background});
    ASSERT_TRUE(backgrounds.LoadPicture("good.jpg", buffer));
    const QImage before = buffer.copy();

    for (const QString name : {"bad.jpg", "cut pattern.jpg"}) {
        SCOPED_TRACE(name.toStdString());
        try {
            backgrounds.LoadPicture(name, buffer);
            ADD_FAILURE() << "no error";
        } catch (const JpegError& error) {
            EXPECT_NE(std::string(error.what()).find(QDir(background).filePath(name).toStdString()),
                      std::string::npos)
                << error.what();
        }
        EXPECT_EQ(buffer, before);
    }
}

// The pictures that ship with the game.
TEST(SampleBackgroundsTest, DecodeAndIncludeAStretchedAndASmallPatternPicture) {
    const Backgrounds backgrounds({QStringLiteral(STACKLUME_DATA_DIR "/background")});
    ASSERT_GE(backgrounds.Names().size(), 3);
    bool smallPattern = false, stretched = false;
    for (const QString& name : backgrounds.Names()) {
        SCOPED_TRACE(name.toStdString());
        QImage buffer(Well, QImage::Format_RGB32);
        buffer.fill(ButtonFace);
        ASSERT_NO_THROW(EXPECT_TRUE(backgrounds.LoadPicture(name, buffer)));
        if (Backgrounds::IsPattern(name))
            smallPattern |= buffer.pixel(Well.width() - 1, Well.height() - 1) == ButtonFace;
        else
            stretched = true;
    }
    EXPECT_TRUE(smallPattern);
    EXPECT_TRUE(stretched);
}

} // namespace
} // namespace stacklume::testing
