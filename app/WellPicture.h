#pragma once

#include <QImage>
#include <QWidget>

namespace stacklume {

// The picture control that shows the well: it keeps the last frame, so repainting the window
// needs nothing from the game.
class WellPicture : public QWidget {
    Q_OBJECT
public:
    explicit WellPicture(QWidget* parent = nullptr);

    // Shows a frame; one identical to the frame on screen costs no repaint.
    void Present(const QImage& frame);
    const QImage& Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};

} // namespace stacklume
