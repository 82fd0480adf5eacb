#pragma once

// The one-pixel grey frame around every brick: black on the left and at the bottom, brightening
// along the top to a soft glint at the upper right, then fading down the right edge.

namespace stacklume {

bool IsOnOutline(int size, int x, int y);

// Grey level 0..255 of the outline pixel (x, y) of a brick of the given size.
int OutlineGrey(int size, int x, int y);

} // namespace stacklume
