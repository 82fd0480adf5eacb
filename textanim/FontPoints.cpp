#include "FontPoints.h"

#include <algorithm>
#include <cmath>

namespace stacklume {

namespace {
constexpr int PixelsPerInch = 96;
constexpr int PointsPerInch = 72;
} // namespace

int PixelsForPoints(int points) {
    const long pixels = std::lround(static_cast<double>(points) * PixelsPerInch / PointsPerInch);
    return static_cast<int>(std::clamp<long>(pixels, 1, MaxFontPixels));
}

int PointsForPixels(int pixels) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * PointsPerInch / PixelsPerInch));
}

int PointsOfFont(const QFont& font) {
    if (font.pixelSize() > 0)
        return PointsForPixels(font.pixelSize());
    return static_cast<int>(std::lround(font.pointSizeF()));
}

QFont FontAtPoints(const QFont& font, int points) {
    QFont sized(font);
    sized.setPixelSize(PixelsForPoints(points));
    return sized;
}

} // namespace stacklume
