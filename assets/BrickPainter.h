#pragma once

#include "BrickDesigns.h"
#include "BrickScale.h"

#include <QImage>

namespace stacklume {

// Draws one opaque brick of scale.Pixels device pixels square: the grey outline, and inside it a
// diagonal gradient from Dark at the bottom left through Base to Light at the top right, with the
// design's texture. The gradient is balanced so that the average inside is Base.
QImage PaintBrick(const BrickDesign& design, const BrickScale& scale);

} // namespace stacklume
