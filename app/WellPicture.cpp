#include "WellPicture.h"

#include <QPaintEvent>
#include <QPainter>

namespace stacklume {

WellPicture::WellPicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void WellPicture::Present(const QImage& frame) {
    if (frame == frame_)
        return;
    frame_ = frame;
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
