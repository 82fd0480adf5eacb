#include "WellPicture.h"

#include "DevicePixels.h"

#include <QPaintEvent>
#include <QPainter>

namespace stacklume {

WellPicture::WellPicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void WellPicture::Present(const QImage& frame, const QRegion& changed) {
    frame_ = &frame;
    if (frame.size() != frameSize_ || frame.devicePixelRatio() != frameRatio_) {
        frameSize_ = frame.size();
        frameRatio_ = frame.devicePixelRatio();
        update();
        return;
    }
    if (!changed.isEmpty())
        update(LogicalCover(changed, frameRatio_));
}

const QImage& WellPicture::Frame() const {
    static const QImage none;
    return frame_ != nullptr ? *frame_ : none;
}

void WellPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& frame = Frame();
    if (frame.isNull()) {
        painter.fillRect(event->rect(), palette().button());
        return;
    }
    const qreal ratio = frame.devicePixelRatio();
    if (ratio != devicePixelRatioF())
        emit ratioChanged();
    // Rectangle by rectangle: their bounding rectangle may be far larger than they are. The
    // source is in the frame's pixels, the target in logical ones: at the frame's ratio, the
    // painter maps one onto the other pixel for pixel.
    for (const QRect& rect : event->region()) {
        const QRect source = DeviceCover(rect, ratio) & frame.rect();
        painter.drawImage(QRectF(QPointF(source.topLeft()) / ratio, QSizeF(source.size()) / ratio), frame,
                          source);
    }
}

} // namespace stacklume
