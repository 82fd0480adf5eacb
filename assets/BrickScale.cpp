#include "BrickScale.h"

#include <algorithm>
#include <cmath>

namespace stacklume {

namespace {

// Products such as 24 x 1.25 are exact, but a ratio that is not may land a hair below a whole
// number it stands for.
constexpr double Tolerance = 1e-9;

} // namespace

int BrickScale::DesignPixel(int pixel) const {
    if (pixel < Outline)
        return 0;
    if (pixel >= Pixels - Outline)
        return Size - 1;
    return 1 + (pixel - Outline) * (Size - 2) / (Pixels - 2 * Outline);
}

BrickScale ScaleBrick(int size, double ratio) {
    const int narrowestCell = static_cast<int>(std::floor((size + BrickGap) * ratio + Tolerance));
    const int gap = static_cast<int>(std::lround(BrickGap * ratio));
    const int outline = std::max(1, static_cast<int>(std::ceil(ratio - 0.5 - Tolerance)));
    return {size, narrowestCell - gap, outline};
}

} // namespace stacklume
