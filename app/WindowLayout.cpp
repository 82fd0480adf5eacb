#include "WindowLayout.h"

#include <array>

namespace stacklume {

namespace {

const std::array<WindowLayout, 3> Layouts{{
    {0, 24, {444, 563}, {76, 44, 292, 484}, {2, 2, 288, 480}, {8, 174, 275, 62}, 11, {189, 15, 178, 26}, 13},
    {1, 28, {518, 654}, {89, 52, 340, 564}, {2, 2, 336, 560}, {9, 206, 323, 71}, 11, {220, 19, 205, 31}, 12},
    {2,
     31,
     {578, 735},
     {100, 58, 376, 624},
     {2, 2, 372, 620},
     {10, 232, 356, 78},
     12,
     {247, 21, 226, 34},
     13},
}};

} // namespace

int SizeClassForScreenHeight(int height) {
    if (height >= 1000)
        return 2;
    if (height >= 900)
        return 1;
    return 0;
}

const WindowLayout& LayoutForSizeClass(int sizeClass) {
    return Layouts.at(static_cast<std::size_t>(sizeClass));
}

QPoint CentredPosition(QSize outerSize, QRect workArea) {
    const int top = workArea.top() + (workArea.height() - outerSize.height()) / 2;
    const int left = workArea.left() + (workArea.width() - outerSize.width()) / 2;
    return {left, top};
}

int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

} // namespace stacklume
