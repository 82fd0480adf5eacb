#pragma once

#include "BrickImages.h"
#include "GameTypes.h"

#include <QColor>
#include <QImage>
#include <QRect>

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

private:
    // Everything a frame is drawn from. Most ticks change none of it (the piece falls a row
    // every few ticks), and then the back buffer already holds the frame.
    struct FrameSource {
        std::optional<Piece> piece;
        Well well;
        const BrickImageList* bricks;
        int pitch;
        qint64 background; // QImage::cacheKey(): it changes whenever the picture may have changed
        bool operator==(const FrameSource&) const = default;
    };

    const BrickImageList& ActiveImageList(const GameOptions& options) const;

    const BrickImageLists& images_;
    QImage background_;
    QImage back_;
    std::optional<FrameSource> lastFrame_;
};

} // namespace stacklume
