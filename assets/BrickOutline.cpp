#include "BrickOutline.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace stacklume {

namespace {

// The top of the left edge is not quite black where it meets the top edge.
constexpr std::array<int, 5> LeftEdgeTop{3, 3, 2, 2, 1};
// The last three pixels of the top edge, falling into the top-right corner.
constexpr std::array<int, 3> TopRightCorner{78, 70, 57};
constexpr int TopStart = 3;
constexpr int RightStart = TopRightCorner.back();
constexpr int RightPeakRow = 4;

// Linear ramp from `from` at step 0 to `to` at step `steps`.
int Ramp(int from, int to, int step, int steps) {
    return static_cast<int>(std::lround(from + static_cast<double>(to - from) * step / steps));
}

// The ramps stretch with the brick and peak a little brighter on larger bricks:
// 81 and 96 at 22 pixels, 82 and 97 at 29.
int Peak(int size, int peakAt22) {
    return peakAt22 + static_cast<int>(std::lround(std::clamp(size - 22, 0, 7) / 7.0));
}

int TopEdge(int size, int x) {
    const int peakColumn = size - 1 - static_cast<int>(TopRightCorner.size());
    if (x <= peakColumn)
        return Ramp(TopStart, Peak(size, 81), x, peakColumn);
    return TopRightCorner[static_cast<std::size_t>(x - peakColumn - 1)];
}

int RightEdge(int size, int y) {
    const int peak = Peak(size, 96);
    if (y <= RightPeakRow)
        return Ramp(RightStart, peak, y, RightPeakRow);
    return Ramp(peak, 0, y - RightPeakRow, size - 1 - RightPeakRow);
}

int LeftEdge(int y) {
    return y < static_cast<int>(LeftEdgeTop.size()) ? LeftEdgeTop[static_cast<std::size_t>(y)] : 0;
}

} // namespace

bool IsOnOutline(int size, int x, int y) { return x == 0 || y == 0 || x == size - 1 || y == size - 1; }

int OutlineGrey(int size, int x, int y) {
    if (y == 0)
        return TopEdge(size, x);
    if (x == size - 1)
        return RightEdge(size, y);
    if (x == 0)
        return LeftEdge(y);
    return 0; // the bottom edge
}

} // namespace stacklume
