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
class WellView {
public:
    explicit WellView(const BrickImageLists& images);

    // Gives both buffers the size of the well picture and fills the background with `colour`.
    void Resize(QSize size, QColor colour);

    QImage& BackgroundBuffer() { return background_; }
    const QImage& BackBuffer() const { return back_; }
    QRect WellRect() const { return background_.rect(); }

    // A frame with the falling piece, or without it (nullptr) in a tick that locked.
    void RenderFrame(const Piece* piece, const Well& well, const GameOptions& options);
    // A frame of the settled bricks alone, as after a change of background.
    void RenderSettled(const Well& well, const GameOptions& options);
    // What the last frame changed in the back buffer: the cells whose brick changed, nothing
    // when the frame is the same, the whole well after a resize or a new background, colour
    // scheme or cell size.
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

    const BrickImageLists& images_;
    QImage background_;
    QImage back_;
    std::optional<Look> lastLook_;
    ShownCells lastCells_{};
    QRegion changed_;
};

} // namespace stacklume
