#include "WellView.h"

#include <QPainter>

namespace stacklume {

WellView::WellView(const BrickImageLists& images) : images_(images) {}

void WellView::Resize(QSize size, QColor colour) {
    background_ = QImage(size, QImage::Format_RGB32);
    background_.fill(colour);
    back_ = QImage(size, QImage::Format_RGB32);
    back_.fill(colour);
    lastFrame_.reset();
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
    const BrickImageList& bricks = ActiveImageList(options);
    const int pitch = options.CellPitch;
    FrameSource source{piece != nullptr ? std::optional<Piece>(*piece) : std::nullopt, well, &bricks, pitch,
                       background_.cacheKey()};
    if (source == lastFrame_)
        return;
    lastFrame_ = std::move(source);
    // Bricks are opaque squares: copying them is all the painter has to do.
    back_ = background_.copy();
    QPainter painter(&back_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (piece != nullptr)
        for (int r = 0; r < BoxSize; ++r)
            for (int c = 0; c < BoxSize; ++c)
                if (piece->Shape[r][c] == 1 && piece->Image > 0 && piece->Image < ImagesPerList)
                    painter.drawImage((piece->X + c) * pitch, (piece->Y + r) * pitch, bricks[piece->Image]);
    // Settled bricks come last and cover the piece where both fall on the same cell.
    for (int row = 0; row < WellRows; ++row)
        for (int column = 0; column < WellColumns; ++column) {
            const int value = well[row][column];
            if (value > 0 && value < ImagesPerList)
                painter.drawImage(column * pitch, row * pitch, bricks[value]);
        }
}

void WellView::RenderSettled(const Well& well, const GameOptions& options) {
    RenderFrame(nullptr, well, options);
}

} // namespace stacklume
