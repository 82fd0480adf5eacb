#include "WellPicture.h"

#include "DevicePixels.h"

#include <QPaintEvent>
#include <QPainter>

namespace stacklume {

WellPicture::WellPicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void WellPicture::Present(const QImage& frame, const QRegion& changed) {
    if (frame.size() != frame_.size() || frame.devicePixelRatio() != frame_.devicePixelRatio()) {
        // A copy of our own: the view goes on drawing into its buffer without detaching it.
        frame_ = frame.copy();
        update();
        return;
    }
    if (changed.isEmpty())
        return;
    QImage pixels = DevicePixels(frame_);
    QPainter painter(&pixels);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QImage source = DevicePixels(frame);
    for (const QRect& rect : changed)
        painter.drawImage(rect.topLeft(), source, rect);
    update(LogicalCover(changed, frame_.devicePixelRatio()));
}

void WellPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (frame_.isNull()) {
        painter.fillRect(event->rect(), palette().button());
        return;
    }
    const qreal ratio = frame_.devicePixelRatio();
    if (ratio != devicePixelRatioF())
        emit ratioChanged();
    // Rectangle by rectangle: their bounding rectangle may be far larger than they are. The
    // source is in the frame's pixels, the target in logical ones: at the frame's ratio, the
    // painter maps one onto the other pixel for pixel.
    for (const QRect& rect : event->region()) {
        const QRect source = DeviceCover(rect, ratio) & frame_.rect();
        painter.drawImage(QRectF(QPointF(source.topLeft()) / ratio, QSizeF(source.size()) / ratio), frame_,
                          source);
    }
}

} // namespace stacklume
