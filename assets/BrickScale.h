#pragma once

// How a brick of one of the lists' sizes is drawn on a screen of a given device pixel ratio.

namespace stacklume {

// The background shows through a strip this many (logical) pixels wide right of and below every
// brick.
inline constexpr int BrickGap = 2;

struct BrickScale {
    int Size = 22;   // the brick's side in logical pixels: 22, 26 or 29
    int Pixels = 22; // its side in device pixels
    int Outline = 1; // the width of its outline in device pixels, the same on every side

    // The pixel of the brick's design (0 to Size - 1) that a device pixel (0 to Pixels - 1) along
    // a side stands for: the outline's pixels stand for the design's outline, the inside's are
    // spread evenly over the design's inside.
    int DesignPixel(int pixel) const;
};

// The brick of `size` logical pixels at `ratio` device pixels to the logical one. Its cells are
// placed by rounding, so they are one device pixel wider or narrower from one to the next at a
// fractional ratio; every brick has the size that fits the narrowest cell beside the scaled gap,
// so all are alike and only the gap varies. The design's one-pixel outline becomes the nearest
// whole number of device pixels, the thinner at a tie (1 at 1.5, 2 at 2.5): a frame any heavier
// than the design's would take the brick's colour away at the edges.
BrickScale ScaleBrick(int size, double ratio);

} // namespace stacklume
