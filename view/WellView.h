#pragma once

#include "BrickImages.h"
#include "GameTypes.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <array>
#include <optional>

namespace stacklume {

// Composes the well off screen: the background, the falling piece and the settled bricks are
// drawn into the back buffer, which the window then shows in one piece, so nothing flickers.
//
// The game places cells in logical pixels; the buffers hold the screen's own pixels, `ratio` of
// them to the logical pixel, and carry that ratio. Cell (column, row) covers the device pixels
// from the rounded logical edges of the cell to those of the next, so cells neither overlap nor
// leave a seam; its brick, from images drawn for the same ratio, stands in its top-left corner.
class WellView {
public:
    explicit WellView(const BrickImageLists& images);

    // Gives both buffers the size of the well picture, `size` logical pixels at `ratio`, and fills
    // the background with `colour`.
    void Resize(QSize size, qreal ratio, QColor colour);
    // The same well on a screen of another ratio: the background and the last frame as they
    // stand, scaled smoothly to the new pixels until they are drawn again. The bricks are then
    // drawn from the images of that ratio.
    void ChangeRatio(qreal ratio);
    qreal Ratio() const { return back_.devicePixelRatio(); }

    QImage& BackgroundBuffer() { return background_; }
    const QImage& BackBuffer() const { return back_; }
    // The well in logical pixels.
    QRect WellRect() const { return {QPoint(), size_}; }

    // A frame with the falling piece, or without it (nullptr) in a tick that locked.
    void RenderFrame(const Piece* piece, const Well& well, const GameOptions& options);
    // A frame of the settled bricks alone, as after a change of background.
    void RenderSettled(const Well& well, const GameOptions& options);
    // The last frame once more, whole, as after a change of ratio.
    void RenderAgain(const GameOptions& options);
    // What the last frame changed in the back buffer, in device pixels: the cells whose brick
    // changed, nothing when the frame is the same, the whole well after a resize, a change of
    // ratio or a new background, colour scheme or cell size.
    const QRegion& ChangedArea() const { return changed_; }

private:
    // The image shown in each cell, 0 where only the background shows.
    using ShownCells = std::array<std::array<int, WellColumns>, WellRows>;

    // What every cell is drawn with. Most ticks change none of it, and then only the cells
    // whose brick changed are drawn again.
    struct Look {
        const BrickImageList* bricks;
        int pitch;
        qint64 background; // QImage::cacheKey(): it changes whenever the picture may have changed
        bool operator==(const Look&) const = default;
    };

    const BrickImageList& ActiveImageList(const GameOptions& options) const;
    void Render(const ShownCells& cells, const GameOptions& options);
    // The device pixel at which the cell `index` (or the well's far edge, for 12 or 20) begins.
    int CellEdge(int index, int pitch) const;

    const BrickImageLists& images_;
    QSize size_;
    QImage background_;
    QImage back_;
    std::optional<Look> lastLook_;
    ShownCells lastCells_{};
    QRegion changed_;
};

} // namespace stacklume
