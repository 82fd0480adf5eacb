#include "WellPicture.h"

#include <QPaintEvent>
#include <QPainter>

namespace stacklume {

WellPicture::WellPicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void WellPicture::Present(const QImage& frame, const QRegion& changed) {
    if (frame.size() != frame_.size()) {
        // A copy of our own: the view goes on drawing into its buffer without detaching it.
        frame_ = frame.copy();
        update();
        return;
    }
    if (changed.isEmpty())
        return;
    QPainter painter(&frame_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : changed)
        painter.drawImage(rect.topLeft(), frame, rect);
    update(changed);
}

void WellPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (frame_.isNull())
        painter.fillRect(event->rect(), palette().button());
    else
        // Rectangle by rectangle: their bounding rectangle may be far larger than they are.
        for (const QRect& rect : event->region())
            painter.drawImage(rect, frame_, rect);
}

} // namespace stacklume
