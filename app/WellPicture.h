#pragma once

#include <QImage>
#include <QWidget>

class QRegion;

namespace stacklume {

// The picture control that shows the well: it keeps the last frame, so repainting the window
// needs nothing from the game.
class WellPicture : public QWidget {
    Q_OBJECT
public:
    explicit WellPicture(QWidget* parent = nullptr);

    // Shows a frame of which only `changed` differs from the one on screen: only that part is
    // copied and repainted. A frame of another size is taken whole.
    void Present(const QImage& frame, const QRegion& changed);
    const QImage& Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};

} // namespace stacklume
