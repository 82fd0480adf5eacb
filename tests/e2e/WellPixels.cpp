#include "WellPixels.h"

#include <algorithm>
#include <cstdlib>

namespace stacklume::e2e {

namespace {

int Distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

int Saturation(QColor colour) {
    const int high = std::max({colour.red(), colour.green(), colour.blue()});
    const int low = std::min({colour.red(), colour.green(), colour.blue()});
    return high - low;
}

} // namespace

WellPixels::WellPixels(QImage well, int cellPitch) : well_(std::move(well)), pitch_(cellPitch) {}

QColor WellPixels::CellColour(int row, int column) const {
    const int half = (pitch_ - 2) / 2;
    return well_.pixelColor(column * pitch_ + half, row * pitch_ + half);
}

QColor WellPixels::GapColour(int row, int column) const {
    return well_.pixelColor(column * pitch_ + pitch_ - 1, row * pitch_ + pitch_ / 2);
}

bool WellPixels::HasBrick(int row, int column) const {
    return Distance(CellColour(row, column), GapColour(row, column)) > 40;
}

bool WellPixels::HasColouredBrick(int row, int column) const {
    return HasBrick(row, column) && Saturation(CellColour(row, column)) > 30;
}

bool WellPixels::HasColouredBrickInRows(int firstRow, int lastRow) const {
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = 0; column < 12; ++column)
            if (HasColouredBrick(row, column))
                return true;
    return false;
}

bool WellPixels::HoldsOnlyANewPiece() const {
    int bricks = 0;
    for (int row = 0; row < 19; ++row)
        for (int column = 0; column < 12; ++column)
            if (HasBrick(row, column)) {
                if (!HasColouredBrick(row, column) || column < 5 || column > 8)
                    return false;
                ++bricks;
            }
    return bricks == 3 || bricks == 4;
}

} // namespace stacklume::e2e
