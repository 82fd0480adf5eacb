#include "WellView.h"

#include "DevicePixels.h"

#include <QPainter>

#include <cmath>

namespace stacklume {

namespace {

bool IsBrickImage(int image) { return image > 0 && image < ImagesPerList; }

// Settled bricks cover the piece where both fall on the same cell; parts of the piece outside
// the well are not seen.
auto CellsShown(const Piece* piece, const Well& well) {
    std::array<std::array<int, WellColumns>, WellRows> cells{};
    for (int row = 0; row < WellRows; ++row)
        for (int column = 0; column < WellColumns; ++column)
            if (IsBrickImage(well[row][column]))
                cells[row][column] = well[row][column];
    if (piece == nullptr || !IsBrickImage(piece->Image))
        return cells;
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c) {
            const int row = piece->Y + r;
            const int column = piece->X + c;
            if (piece->Shape[r][c] == 1 && row >= 0 && row < WellRows && column >= 0 &&
                column < WellColumns && cells[row][column] == 0)
                cells[row][column] = piece->Image;
        }
    return cells;
}

} // namespace

WellView::WellView(const BrickImageLists& images) : images_(images) {}

void WellView::Resize(QSize size, qreal ratio, QColor colour) {
    size_ = size;
    background_ = QImage(size * ratio, QImage::Format_RGB32);
    background_.setDevicePixelRatio(ratio);
    background_.fill(colour);
    back_ = background_.copy();
    lastLook_.reset();
}

void WellView::ChangeRatio(qreal ratio) {
    const auto rescaled = [&](const QImage& image) {
        QImage scaled = image.scaled(size_ * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
        scaled.setDevicePixelRatio(ratio);
        return scaled;
    };
    background_ = rescaled(background_);
    // The window may be painted before the next frame (a box about the picture can come first):
    // it then shows the last frame scaled.
    back_ = rescaled(back_);
    lastLook_.reset();
}

int WellView::CellEdge(int index, int pitch) const {
    return static_cast<int>(std::lround(index * pitch * Ratio()));
}

const BrickImageList& WellView::ActiveImageList(const GameOptions& options) const {
    switch (options.ActiveImageList) {
    case ImageListId::List1:
        return images_.List1;
    case ImageListId::ImageList4:
        return images_.ImageList4;
    case ImageListId::ImageList1:
        return images_.ImageList1;
    case ImageListId::ImageList3:
        return images_.ImageList3;
    case ImageListId::ImageList5:
        return images_.ImageList5;
    case ImageListId::ImageList2:
        break;
    }
    return images_.ImageList2;
}

void WellView::RenderFrame(const Piece* piece, const Well& well, const GameOptions& options) {
    Render(CellsShown(piece, well), options);
}

void WellView::RenderSettled(const Well& well, const GameOptions& options) {
    RenderFrame(nullptr, well, options);
}

void WellView::RenderAgain(const GameOptions& options) {
    lastLook_.reset();
    Render(lastCells_, options);
}

void WellView::Render(const ShownCells& cells, const GameOptions& options) {
    const Look look{&ActiveImageList(options), options.CellPitch, background_.cacheKey()};
    const bool whole = look != lastLook_;
    changed_ = whole ? QRegion(back_.rect()) : QRegion();
    if (!whole && cells == lastCells_)
        return;
    QImage pixels = DevicePixels(back_);
    const QImage background = DevicePixels(std::as_const(background_));
    QPainter painter(&pixels);
    // Bricks are opaque squares, each inside its cell: copying is all the painter has to do.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (whole)
        painter.drawImage(0, 0, background);
    for (int row = 0; row < WellRows; ++row)
        for (int column = 0; column < WellColumns; ++column) {
            const int image = cells[row][column];
            if (!whole && image == lastCells_[row][column])
                continue;
            const QPoint corner(CellEdge(column, look.pitch), CellEdge(row, look.pitch));
            if (!whole) {
                const QRect cell(
                    corner, QPoint(CellEdge(column + 1, look.pitch) - 1, CellEdge(row + 1, look.pitch) - 1));
                painter.drawImage(corner, background, cell);
                changed_ += cell;
            }
            if (image != 0)
                painter.drawImage(corner, (*look.bricks)[image]);
        }
    lastLook_ = look;
    lastCells_ = cells;
}

} // namespace stacklume
