#pragma once

#include <QImage>
#include <QWidget>

class QRegion;

namespace stacklume {

// The picture control that shows the well: it paints from the frame last presented, so
// repainting the window needs nothing from the game. It keeps no copy (at 200 % a frame is
// 2 MiB): the frame is the view's back buffer, which must outlive the picture's painting and be
// drawn into only just before it is presented again. Frames hold the screen's own pixels and
// carry their device pixel ratio; they are painted pixel for pixel, never resampled.
class WellPicture : public QWidget {
    Q_OBJECT
public:
    explicit WellPicture(QWidget* parent = nullptr);

    // Shows a frame of which only `changed` (in the frame's own pixels) differs from the one on
    // screen: only that part is repainted. A frame of another size or ratio is repainted whole.
    void Present(const QImage& frame, const QRegion& changed);
    // The frame shown, or a null image before the first.
    const QImage& Frame() const;

signals:
    // The picture is being painted at a device pixel ratio other than its frame's: the window has
    // gone to a screen of another scale, or its screen's scale changed. Until a frame for the new
    // ratio comes, the last one is shown scaled.
    void ratioChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* frame_ = nullptr;
    QSize frameSize_;
    qreal frameRatio_ = 0;
};

} // namespace stacklume
