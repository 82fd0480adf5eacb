#include "DevicePixels.h"

#include <cmath>

namespace stacklume {

namespace {

// The rectangle's corners mapped, the top-left one rounded down and the bottom-right one up.
template <typename Map> QRect Cover(const QRect& rect, Map map) {
    const int left = static_cast<int>(std::floor(map(rect.left())));
    const int top = static_cast<int>(std::floor(map(rect.top())));
    const int right = static_cast<int>(std::ceil(map(rect.left() + rect.width())));
    const int bottom = static_cast<int>(std::ceil(map(rect.top() + rect.height())));
    return {left, top, right - left, bottom - top};
}

} // namespace

QImage DevicePixels(QImage& image) {
    return {image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format()};
}

QImage DevicePixels(const QImage& image) {
    return {image.constBits(), image.width(), image.height(), image.bytesPerLine(), image.format()};
}

QRect DeviceCover(const QRect& logical, qreal ratio) {
    return Cover(logical, [ratio](int coordinate) { return coordinate * ratio; });
}

QRegion LogicalCover(const QRegion& device, qreal ratio) {
    QRegion logical;
    for (const QRect& rect : device)
        logical += Cover(rect, [ratio](int coordinate) { return coordinate / ratio; });
    return logical;
}

} // namespace stacklume
