#include "WellPixels.h"

#include "PieceKinds.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

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
    std::set<std::pair<int, int>> bricks; // row, column; ordered from the top row down
    for (int row = 0; row < 19; ++row)
        for (int column = 0; column < 12; ++column)
            if (HasBrick(row, column)) {
                if (!HasColouredBrick(row, column))
                    return false;
                bricks.emplace(row, column);
            }
    if (bricks.empty())
        return false;
    // A new piece is a standard kind, unturned, its box at the fifth column, at whatever row it
    // has fallen to: a piece that came in anywhere else matches none of them.
    constexpr int EntryColumn = 5;
    const PieceKinds kinds = InitialPieceKinds();
    return std::any_of(kinds.begin(), kinds.begin() + StandardKindCount, [&](const PieceKind& kind) {
        std::set<std::pair<int, int>> cells;
        for (int r = 0; r < BoxSize; ++r)
            for (int c = 0; c < BoxSize; ++c)
                if (kind.Shape[r][c] != 0)
                    cells.emplace(r, EntryColumn + c);
        const int drop = bricks.begin()->first - cells.begin()->first;
        std::set<std::pair<int, int>> fallen;
        for (const auto& [row, column] : cells)
            fallen.emplace(row + drop, column);
        return fallen == bricks;
    });
}

double MeanDifference(const QImage& a, const QImage& b, QRect leftOut) {
    double sum = 0;
    int pixels = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!leftOut.contains(x, y)) {
                sum += Distance(a.pixelColor(x, y), b.pixelColor(x, y));
                ++pixels;
            }
    return pixels == 0 ? 0 : sum / (3.0 * pixels);
}

double ShareOfFineSquares(const QImage& shot) {
    int fine = 0;
    int squares = 0;
    for (int y = 0; y + 1 < shot.height(); y += 2)
        for (int x = 0; x + 1 < shot.width(); x += 2) {
            const QRgb corner = shot.pixel(x, y);
            fine += shot.pixel(x + 1, y) != corner || shot.pixel(x, y + 1) != corner ||
                    shot.pixel(x + 1, y + 1) != corner;
            ++squares;
        }
    return squares == 0 ? 0 : double(fine) / squares;
}

} // namespace stacklume::e2e
