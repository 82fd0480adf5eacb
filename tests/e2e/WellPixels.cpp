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

WellPixels::WellPixels(QImage screenshot, QPoint wellOrigin, int cellPitch)
    : screenshot_(std::move(screenshot)), origin_(wellOrigin), pitch_(cellPitch) {}

QColor WellPixels::CellColour(int row, int column) const {
    const int half = (pitch_ - 2) / 2;
    return screenshot_.pixelColor(origin_.x() + column * pitch_ + half, origin_.y() + row * pitch_ + half);
}

QColor WellPixels::GapColour(int row, int column) const {
    return screenshot_.pixelColor(origin_.x() + column * pitch_ + pitch_ - 1,
                                  origin_.y() + row * pitch_ + pitch_ / 2);
}

bool WellPixels::HasBrick(int row, int column) const {
    return Distance(CellColour(row, column), GapColour(row, column)) > 40;
}

bool WellPixels::HasColouredBrick(int row, int column) const {
    return HasBrick(row, column) && Saturation(CellColour(row, column)) > 30;
}

} // namespace stacklume::e2e
