#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace stacklume::testing {

enum class JpegColours { Rgb, Grayscale, Cmyk };

enum class JpegScans {
    Baseline,
    Progressive, // libjpeg's usual progression, about ten scans
    Exhaustive,  // every coefficient of every component refined bit by bit: over two thousand scans
};

struct JpegWriteOptions {
    JpegColours Colours = JpegColours::Rgb;
    JpegScans Scans = JpegScans::Baseline;
    int Quality = 90;
    bool Arithmetic = false; // arithmetic coding instead of Huffman tables
    int ScanCount = 0;       // for Exhaustive: only its first scans, this many (0: all)
};

// Compresses `picture` with libjpeg into the bytes of a JPEG file.
QByteArray EncodeJpeg(const QImage& picture, const JpegWriteOptions& options = {});

// Writes `bytes` to `path`, creating or replacing the file; fails the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);

// A picture split into four coloured quadrants: top-left, top-right, bottom-left, bottom-right.
QImage Quadrants(int width, int height, QRgb topLeft, QRgb topRight, QRgb bottomLeft, QRgb bottomRight);

// True when the two colours differ by at most `tolerance` in every channel (JPEG is lossy).
bool Near(QRgb actual, QRgb expected, int tolerance = 16);

} // namespace stacklume::testing
