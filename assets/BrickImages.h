#pragma once

// The six brick image lists: two colour schemes, each at the three brick sizes. A cell's value in
// the well is the index of the image it is drawn with.

#include <QImage>

#include <array>

namespace stacklume {

using BrickImageList = std::array<QImage, 14>;

struct BrickImageLists {
    BrickImageList List1, ImageList4;      // 22 x 22: multicoloured, red shades
    BrickImageList ImageList1, ImageList3; // 26 x 26
    BrickImageList ImageList5, ImageList2; // 29 x 29
};

// All 84 images at a device pixel ratio of 1, fully opaque and the same at every start.
BrickImageLists MakeBrickImages();
// The two lists of one size class alone (0, 1 or 2: bricks of 22, 26 or 29 logical pixels), the
// others left empty: a window keeps its size class for the whole run. The images are drawn at the
// screen's own pixels, `ratio` device pixels to the logical one (see ScaleBrick), and are plain
// pixels whose own device pixel ratio is 1: whoever draws them places them in device pixels.
BrickImageLists MakeBrickImages(int sizeClass, double ratio);

} // namespace stacklume
