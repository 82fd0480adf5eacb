#include "JpegWriter.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace stacklume::testing {
namespace {

// The deepest successive approximation libjpeg accepts for 8-bit samples.
constexpr int DeepestBit = 10;

std::vector<jpeg_scan_info> ExhaustiveScript(int components) {
    std::vector<jpeg_scan_info> scans;
    auto add = [&](int componentCount, int first, int ss, int se, int ah, int al) {
        jpeg_scan_info scan{};
        scan.comps_in_scan = componentCount;
        for (int c = 0; c < componentCount; ++c)
            scan.component_index[c] = first + c;
        scan.Ss = ss;
        scan.Se = se;
        scan.Ah = ah;
        scan.Al = al;
        scans.push_back(scan);
    };
    add(components, 0, 0, 0, 0, DeepestBit);
    for (int bit = DeepestBit - 1; bit >= 0; --bit)
        add(components, 0, 0, 0, bit + 1, bit);
    for (int component = 0; component < components; ++component)
        for (int coefficient = 1; coefficient < DCTSIZE2; ++coefficient) {
            add(1, component, coefficient, coefficient, 0, DeepestBit);
            for (int bit = DeepestBit - 1; bit >= 0; --bit)
                add(1, component, coefficient, coefficient, bit + 1, bit);
        }
    return scans;
}

// One row of samples in the layout libjpeg expects for the chosen colours.
std::vector<JSAMPLE> Samples(const QImage& rgb, int y, JpegColours colours) {
    std::vector<JSAMPLE> row;
    for (int x = 0; x < rgb.width(); ++x) {
        const QRgb pixel = rgb.pixel(x, y);
        const int red = qRed(pixel), green = qGreen(pixel), blue = qBlue(pixel);
        switch (colours) {
        case JpegColours::Rgb:
            row.insert(row.end(), {JSAMPLE(red), JSAMPLE(green), JSAMPLE(blue)});
            break;
        case JpegColours::Grayscale:
            row.push_back(JSAMPLE(qGray(pixel)));
            break;
        case JpegColours::Cmyk: {
            const int black = 255 - std::max({red, green, blue});
            row.insert(row.end(), {JSAMPLE(255 - red - black), JSAMPLE(255 - green - black),
                                   JSAMPLE(255 - blue - black), JSAMPLE(black)});
            break;
        }
        }
    }
    return row;
}

} // namespace

QByteArray EncodeJpeg(const QImage& picture, const JpegWriteOptions& options) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    switch (options.Colours) {
    case JpegColours::Rgb:
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        break;
    case JpegColours::Grayscale:
        info.input_components = 1;
        info.in_color_space = JCS_GRAYSCALE;
        break;
    case JpegColours::Cmyk:
        info.input_components = 4;
        info.in_color_space = JCS_CMYK;
        break;
    }
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.Quality, TRUE);
    info.arith_code = options.Arithmetic ? TRUE : FALSE;
    std::vector<jpeg_scan_info> script;
    if (options.Scans == JpegScans::Progressive)
        jpeg_simple_progression(&info);
    if (options.Scans == JpegScans::Exhaustive) {
        script = ExhaustiveScript(info.num_components);
        if (options.ScanCount > 0)
            script.resize(std::size_t(options.ScanCount));
        info.scan_info = script.data();
        info.num_scans = int(script.size());
    }

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        std::vector<JSAMPLE> samples = Samples(rgb, int(info.next_scanline), options.Colours);
        JSAMPROW row = samples.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

QImage Quadrants(int width, int height, QRgb topLeft, QRgb topRight, QRgb bottomLeft, QRgb bottomRight) {
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    const int halfWidth = width / 2, halfHeight = height / 2;
    painter.fillRect(0, 0, halfWidth, halfHeight, QColor(topLeft));
    painter.fillRect(halfWidth, 0, width - halfWidth, halfHeight, QColor(topRight));
    painter.fillRect(0, halfHeight, halfWidth, height - halfHeight, QColor(bottomLeft));
    painter.fillRect(halfWidth, halfHeight, width - halfWidth, height - halfHeight, QColor(bottomRight));
    return picture;
}

bool Near(QRgb actual, QRgb expected, int tolerance) {
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

} // namespace stacklume::testing
