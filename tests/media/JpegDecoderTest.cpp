#include "JpegDecoder.h"
#include "JpegError.h"
#include "JpegWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include <sys/stat.h>

namespace stacklume::testing {
namespace {

constexpr QRgb Red = 0xffc02020, Green = 0xff20a040, Blue = 0xff2040c0, Yellow = 0xffe0d030;

// The file with the picture's size in its frame header replaced, its data left as it was.
QByteArray WithSize(QByteArray bytes, int width, int height) {
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    EXPECT_GT(frame, 0) << "a baseline frame header";
    for (const auto& [offset, value] :
         {std::pair{5, height}, std::pair{7, width}}) { // after length and precision
        bytes[frame + offset] = char(value >> 8);
        bytes[frame + offset + 1] = char(value & 0xff);
    }
    return bytes;
}

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

    // The message of the JpegError thrown for `path`, or nothing when it decodes.
    static std::string Outcome(const QString& path, const JpegLimits& limits = {}, QSize cover = {}) {
        try {
            DecodeJpeg(path, cover, limits);
        } catch (const JpegError& error) {
            return error.what();
        }
        return {};
    }

    // The message of the JpegError thrown for `path`, or a failure when it decodes.
    std::string Refusal(const QString& path, const JpegLimits& limits = {}) {
        const std::string message = Outcome(path, limits);
        if (message.empty())
            ADD_FAILURE() << path.toStdString() << " was decoded";
        return message;
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
    const QByteArray huge = WithSize(EncodeJpeg(Quadrants(16, 16, Red, Green, Blue, Yellow)), 60000, 60000);
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

// Each limit lets through a picture that just meets it and refuses one just past it.
TEST_F(JpegDecoderTest, LimitsBoundTheWorkAndMemoryOfAPicture) {
    const QByteArray bytes =
        EncodeJpeg(Quadrants(1024, 1024, Red, Green, Blue, Yellow), {.Scans = JpegScans::Progressive});
    const QString progressive = Save("progressive.jpg", bytes);
    const int scans = int(bytes.count("\xff\xda")); // start-of-scan markers: 0xff is escaped in the data
    ASSERT_GT(scans, 5);
    const struct {
        JpegLimits Met, Passed;
        std::string Refusal;
    } limits[] = {
        {{.MaxSide = 1024}, {.MaxSide = 1023}, "picture too large (1024 x 1024 pixels)"},
        {{.MaxPixels = 1024 * 1024}, {.MaxPixels = 1024 * 1024 - 1}, "picture too large"},
        {{.MaxScans = scans},
         {.MaxScans = scans - 1},
         "too many progressive scans (more than " + std::to_string(scans - 1) + ")"},
        {{.MaxFileBytes = bytes.size()}, {.MaxFileBytes = bytes.size() - 1}, "file too large"},
    };
    for (const auto& limit : limits) {
        SCOPED_TRACE(limit.Refusal);
        EXPECT_EQ(Outcome(progressive, limit.Met), "");
        EXPECT_NE(Refusal(progressive, limit.Passed).find(limit.Refusal), std::string::npos);
    }
    // A progressive picture keeps all its coefficients in memory: 1024 x 1024 needs about 3 MB.
    EXPECT_NE(
        Refusal(progressive, {.MaxDecoderMemory = 1L << 20}).find("decoding needs more than 1 MB of memory"),
        std::string::npos);
}

// The limits a game's picture is decoded with, each at its edge.
TEST_F(JpegDecoderTest, TheDefaultLimitsHoldAtTheirEdges) {
    // Decoded at an eighth, as for the well, so that a header's size costs little memory.
    const auto tooLarge = [&](int width, int height) {
        const QByteArray sized =
            WithSize(EncodeJpeg(Quadrants(16, 16, Red, Green, Blue, Yellow)), width, height);
        return Outcome(Save("sized.jpg", sized), {}, QSize(1, 1)).find("picture too large") !=
               std::string::npos;
    };
    EXPECT_FALSE(tooLarge(20000, 1));
    EXPECT_TRUE(tooLarge(20001, 1));
    EXPECT_FALSE(tooLarge(10000, 10000));
    // The fewest pixels past the limit that two sides within it make: 100,000,002.
    EXPECT_TRUE(tooLarge(7122, 14041));

    const auto cutTo = [](int scans) {
        return EncodeJpeg(
            Quadrants(16, 16, Red, Green, Blue, Yellow),
            {.Colours = JpegColours::Grayscale, .Scans = JpegScans::Exhaustive, .ScanCount = scans});
    };
    EXPECT_EQ(Outcome(Save("100-scans.jpg", cutTo(100))), "");
    EXPECT_NE(Refusal(Save("101-scans.jpg", cutTo(101))).find("too many progressive scans (more than 100)"),
              std::string::npos);

    // Each empty comment after a stray byte, which libjpeg skips with a warning.
    const QByteArray good = EncodeJpeg(Quadrants(16, 16, Red, Green, Blue, Yellow));
    const auto warned = [&](int warnings) {
        return QByteArray(good).insert(2, QByteArray("\x00\xff\xfe\x00\x02", 5).repeated(warnings));
    };
    EXPECT_EQ(Outcome(Save("100-warnings.jpg", warned(100))), "");
    EXPECT_NE(Refusal(Save("101-warnings.jpg", warned(101))).find("the picture data is damaged"),
              std::string::npos);

    // Zeros after the end marker, which are never read, in a file without room taken on disk.
    const QString padded = Save("padded.jpg", good);
    constexpr qint64 LargestFile = 256LL * 1024 * 1024;
    ASSERT_TRUE(QFile::resize(padded, LargestFile));
    EXPECT_EQ(Outcome(padded), "");
    ASSERT_TRUE(QFile::resize(padded, LargestFile + 1));
    EXPECT_NE(Refusal(padded).find("file too large (257 MB, at most 256 MB)"), std::string::npos);
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
