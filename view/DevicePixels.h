#pragma once

// The well is drawn at the screen's own pixels: its images hold device pixels and carry the
// screen's device pixel ratio, while the window places and repaints in logical pixels.

#include <QImage>
#include <QRect>
#include <QRegion>

namespace stacklume {

// A view of the image's own pixels with a device pixel ratio of 1: a painter on it, or an image
// drawn from it, works in whole device pixels and never resamples. The view shares the image's
// memory and must not outlive it.
QImage DevicePixels(QImage& image);
QImage DevicePixels(const QImage& image);

// The device pixels a logical rectangle touches, partly covered ones included.
QRect DeviceCover(const QRect& logical, qreal ratio);
// The logical pixels a region of device pixels touches: repainting them leaves no stale stripe
// where a device pixel straddles two logical ones.
QRegion LogicalCover(const QRegion& device, qreal ratio);

} // namespace stacklume
