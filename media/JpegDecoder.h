#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

namespace stacklume {

// Bounds on what a picture may cost, checked before the decoder allocates anything large, so a
// damaged or hostile file is refused quickly instead of exhausting memory or time.
struct JpegLimits {
    int MaxSide = 20000;                        // pixels, either dimension
    std::int64_t MaxPixels = 100'000'000;       // width x height
    long MaxDecoderMemory = 256L * 1024 * 1024; // libjpeg's whole-picture buffers, bytes
    // Progressive scans. Real files have a dozen or two; each scan is a pass over the whole
    // picture, and 700 of them over 64 megapixels took twelve seconds from a 1.4 MB file.
    int MaxScans = 100;
    std::int64_t MaxFileBytes = 256LL * 1024 * 1024; // size of the file itself
};

// Decodes the JPEG file at `path` with libjpeg into an opaque QImage::Format_RGB32 picture.
// When `coverAtLeast` is a valid, non-empty size, the picture is decoded at the smallest DCT
// scale (n/8) whose result still covers that size in both directions, because it will be
// stretched to it anyway; otherwise, or when the picture is smaller, at full size.
// Grayscale and RGB pictures are accepted; CMYK and YCCK pictures are refused.
// Throws JpegError, whose message begins with the path, for any file that cannot be decoded
// completely; nothing of a partly decoded picture is ever returned.
QImage DecodeJpeg(const QString& path, QSize coverAtLeast = {}, const JpegLimits& limits = {});

} // namespace stacklume
