#pragma once

#include <QImage>
#include <QWidget>

class QRegion;

namespace stacklume {

// The picture control that shows the well: it keeps the last frame, so repainting the window
// needs nothing from the game. Frames hold the screen's own pixels and carry their device pixel
// ratio; they are painted pixel for pixel, never resampled.
class WellPicture : public QWidget {
    Q_OBJECT
public:
    explicit WellPicture(QWidget* parent = nullptr);

    // Shows a frame of which only `changed` (in the frame's own pixels) differs from the one on
    // screen: only that part is copied and repainted. A frame of another size or ratio is taken
    // whole.
    void Present(const QImage& frame, const QRegion& changed);
    const QImage& Frame() const { return frame_; }

signals:
    // The picture is being painted at a device pixel ratio other than its frame's: the window has
    // gone to a screen of another scale, or its screen's scale changed. Until a frame for the new
    // ratio comes, the last one is shown scaled.
    void ratioChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};

} // namespace stacklume
