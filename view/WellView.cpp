#include "WellView.h"

#include <QPainter>

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

void WellView::Resize(QSize size, QColor colour) {
    background_ = QImage(size, QImage::Format_RGB32);
    background_.fill(colour);
    back_ = QImage(size, QImage::Format_RGB32);
    back_.fill(colour);
    lastLook_.reset();
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
    const Look look{&ActiveImageList(options), options.CellPitch, background_.cacheKey()};
    const ShownCells cells = CellsShown(piece, well);
    const bool whole = look != lastLook_;
    changed_ = whole ? QRegion(back_.rect()) : QRegion();
    if (!whole && cells == lastCells_)
        return;
    QPainter painter(&back_);
    // Bricks are opaque squares, each inside its cell: copying is all the painter has to do.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (whole)
        painter.drawImage(0, 0, background_);
    for (int row = 0; row < WellRows; ++row)
        for (int column = 0; column < WellColumns; ++column) {
            const int image = cells[row][column];
            const QPoint corner(column * look.pitch, row * look.pitch);
            if (whole) {
                if (image != 0)
                    painter.drawImage(corner, (*look.bricks)[image]);
            } else if (image != lastCells_[row][column]) {
                const QRect cell(corner, QSize(look.pitch, look.pitch));
                painter.drawImage(corner, background_, cell);
                if (image != 0)
                    painter.drawImage(corner, (*look.bricks)[image]);
                changed_ += cell;
            }
        }
    lastLook_ = look;
    lastCells_ = cells;
}

void WellView::RenderSettled(const Well& well, const GameOptions& options) {
    RenderFrame(nullptr, well, options);
}

} // namespace stacklume
