#include "WellPicture.h"

#include <QPaintEvent>
#include <QPainter>

namespace stacklume {

WellPicture::WellPicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void WellPicture::Present(const QImage& frame) {
    // Keeping the very frame given, even when equal, makes the next comparison with it free.
    const bool same = frame == frame_;
    frame_ = frame;
    if (!same)
        update();
}

void WellPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (frame_.isNull())
        painter.fillRect(event->rect(), palette().button());
    else
        painter.drawImage(event->rect(), frame_, event->rect());
}

} // namespace stacklume
