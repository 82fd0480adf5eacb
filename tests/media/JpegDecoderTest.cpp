#include "JpegDecoder.h"
#include "JpegError.h"
#include "JpegWriter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace stacklume::testing {
namespace {

constexpr QRgb Red = 0xffc02020, Green = 0xff20a040, Blue = 0xff2040c0, Yellow = 0xffe0d030;

class JpegDecoderTest : public ::testing::Test {
protected:
    QString Save(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        WriteFile(path, bytes);
        return path;
    }

    QString SaveQuadrants(const QString& name, int width, int height, const JpegWriteOptions& options = {}) {
        return Save(name, EncodeJpeg(Quadrants(width, height, Red, Green, Blue, Yellow), options));
    }

    // The message of the JpegError thrown for `path`, or a failure when it decodes.
    std::string Refusal(const QString& path, const JpegLimits& limits = {}) {
        try {
            DecodeJpeg(path, {}, limits);
        } catch (const JpegError& error) {
            return error.what();
        }
        ADD_FAILURE() << path.toStdString() << " was decoded";
        return {};
    }

    QTemporaryDir folder;
};

TEST_F(JpegDecoderTest, DecodesColourAndGrayscalePicturesAtFullSize) {
    const QImage colour = DecodeJpeg(SaveQuadrants("colour.jpg", 64, 48));
    ASSERT_EQ(colour.size(), QSize(64, 48));
    EXPECT_EQ(colour.format(), QImage::Format_RGB32);
    EXPECT_TRUE(Near(colour.pixel(8, 8), Red));
    EXPECT_TRUE(Near(colour.pixel(56, 8), Green));
    EXPECT_TRUE(Near(colour.pixel(8, 40), Blue));
    EXPECT_TRUE(Near(colour.pixel(56, 40), Yellow));
    EXPECT_EQ(qAlpha(colour.pixel(63, 47)), 255);

    const QImage gray = DecodeJpeg(SaveQuadrants("gray.jpg", 64, 48, {.Colours = JpegColours::Grayscale}));
    ASSERT_EQ(gray.size(), QSize(64, 48));
    const int level = qGray(Red);
    EXPECT_TRUE(Near(gray.pixel(8, 8), qRgb(level, level, level), 4));
    EXPECT_EQ(qAlpha(gray.pixel(8, 8)), 255);

    const QImage progressive =
        DecodeJpeg(SaveQuadrants("progressive.jpg", 64, 48, {.Scans = JpegScans::Progressive}));
    EXPECT_TRUE(Near(progressive.pixel(56, 40), Yellow));
}

TEST_F(JpegDecoderTest, StretchedPicturesAreDecodedAtTheSmallestScaleThatCoversTheWell) {
    const QString large = SaveQuadrants("large.jpg", 3000, 2000);
    // 2000 rows must give at least 620: 3/8 is the first eighth that does (2/8 gives 500).
    EXPECT_EQ(DecodeJpeg(large, QSize(372, 620)).size(), QSize(1125, 750));
    EXPECT_EQ(DecodeJpeg(large, QSize(288, 240)).size(), QSize(375, 250));
    const QImage eighth = DecodeJpeg(large, QSize(10, 10));
    EXPECT_EQ(eighth.size(), QSize(375, 250));
    EXPECT_TRUE(Near(eighth.pixel(300, 200), Yellow));

    EXPECT_EQ(DecodeJpeg(large).size(), QSize(3000, 2000)) << "no size to cover: full size";
    const QString small = SaveQuadrants("small.jpg", 100, 50);
    EXPECT_EQ(DecodeJpeg(small, QSize(372, 620)).size(), QSize(100, 50)) << "never enlarged by the decoder";
}

TEST_F(JpegDecoderTest, BadFilesAreRefusedWithAMessageNamingTheFile) {
    const QByteArray good = EncodeJpeg(Quadrants(256, 256, Red, Green, Blue, Yellow), {.Quality = 95});
    const QByteArray progressive =
        EncodeJpeg(Quadrants(256, 256, Red, Green, Blue, Yellow), {.Scans = JpegScans::Progressive});
    QByteArray huge = EncodeJpeg(Quadrants(16, 16, Red, Green, Blue, Yellow));
    const qsizetype frame = huge.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    for (int offset : {5, 7}) { // height, then width, after length and precision
        huge[frame + offset] = char(60000 >> 8);
        huge[frame + offset + 1] = char(60000 & 0xff);
    }
    // Opening a FIFO for reading would wait for a writer.
    const QString fifo = folder.filePath("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const struct {
        QString Path;
        std::string Expected;
    } cases[] = {
        {Save("empty.jpg", {}), "the file is empty"},
        {Save("text.jpg", "This is a note, not a picture.\n"), "not a JPEG file"},
        {Save("truncated.jpg", good.left(good.size() / 2)), "the file is truncated"},
        {Save("cut-and-ended.jpg", good.left(good.size() / 2) + "\xff\xd9"), "the file is truncated"},
        {Save("header-only.jpg", good.left(200)), "the file is truncated"},
        {Save("progressive-cut.jpg", progressive.left(progressive.size() * 3 / 4)), "the file is truncated"},
        {Save("cmyk.jpg",
              EncodeJpeg(Quadrants(32, 32, Red, Green, Blue, Yellow), {.Colours = JpegColours::Cmyk})),
         "CMYK pictures are not supported"},
        {Save("huge.jpg", huge), "picture too large (60000 x 60000 pixels)"},
        {Save("scans.jpg",
              EncodeJpeg(Quadrants(32, 32, Red, Green, Blue, Yellow), {.Scans = JpegScans::Exhaustive})),
         "too many progressive scans (more than 100)"},
        {Save("grey-scans.jpg",
              EncodeJpeg(Quadrants(32, 32, Red, Green, Blue, Yellow),
                         {.Colours = JpegColours::Grayscale, .Scans = JpegScans::Exhaustive})),
         "too many progressive scans (more than 100)"},
        {fifo, "not a regular file"},
        {folder.filePath("missing.jpg"), "cannot open the file"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.Path.toStdString());
        const std::string message = Refusal(bad.Path);
        EXPECT_EQ(message.rfind(bad.Path.toStdString() + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(bad.Expected), std::string::npos) << message;
    }
}

TEST_F(JpegDecoderTest, LimitsBoundTheWorkAndMemoryOfAPicture) {
    const QString progressive =
        SaveQuadrants("progressive.jpg", 1024, 1024, {.Scans = JpegScans::Progressive});
    ASSERT_EQ(DecodeJpeg(progressive).size(), QSize(1024, 1024));

    // A progressive picture keeps all its coefficients in memory: 1024 x 1024 needs about 3 MB.
    EXPECT_NE(
        Refusal(progressive, {.MaxDecoderMemory = 1L << 20}).find("decoding needs more than 1 MB of memory"),
        std::string::npos);
    EXPECT_NE(Refusal(progressive, {.MaxSide = 1000}).find("picture too large (1024 x 1024 pixels)"),
              std::string::npos);
    EXPECT_NE(Refusal(progressive, {.MaxPixels = 1000 * 1000}).find("picture too large"), std::string::npos);
    EXPECT_NE(Refusal(progressive, {.MaxScans = 5}).find("too many progressive scans (more than 5)"),
              std::string::npos);
    EXPECT_NE(Refusal(progressive, {.MaxFileBytes = 1000}).find("file too large"), std::string::npos);

    // The same limits let a valid file with many scans through when they allow it.
    const QString scans = SaveQuadrants("scans.jpg", 32, 32, {.Scans = JpegScans::Exhaustive});
    EXPECT_EQ(DecodeJpeg(scans, {}, {.MaxScans = 5000}).size(), QSize(32, 32));
}

TEST_F(JpegDecoderTest, ArithmeticCodedPicturesDecodeWholeOrNotAtAll) {
    const QByteArray bytes = EncodeJpeg(Quadrants(48, 48, Red, Green, Blue, Yellow), {.Arithmetic = true});
    EXPECT_TRUE(Near(DecodeJpeg(Save("arithmetic.jpg", bytes)).pixel(44, 44), Yellow));
    // The arithmetic decoder fills missing data with grey without a warning of its own.
    EXPECT_NE(
        Refusal(Save("arithmetic-cut.jpg", bytes.left(bytes.size() * 3 / 4))).find("the file is truncated"),
        std::string::npos);
}

TEST_F(JpegDecoderTest, AMissingEndMarkerAloneIsTolerated) {
    QByteArray bytes = EncodeJpeg(Quadrants(64, 64, Red, Green, Blue, Yellow));
    ASSERT_TRUE(bytes.endsWith("\xff\xd9"));
    bytes.chop(2);
    const QImage picture = DecodeJpeg(Save("no-end.jpg", bytes));
    EXPECT_TRUE(Near(picture.pixel(60, 60), Yellow));
}

} // namespace
} // namespace stacklume::testing
