#pragma once

#include <QImage>
#include <QRect>

namespace stacklume::e2e {

// Reads the cells out of a shot of the well at the smallest size (24-pixel cells).
class WellPixels {
public:
    explicit WellPixels(QImage well, int cellPitch = 24);

    // The colour at the middle of a cell's brick.
    QColor CellColour(int row, int column) const;
    // The colour of the gap to the right of a cell's brick: the background.
    QColor GapColour(int row, int column) const;
    bool HasBrick(int row, int column) const;
    // A brick of a piece: clearly coloured, unlike the grey floor.
    bool HasColouredBrick(int row, int column) const;
    // Whether a coloured brick shows in one of the rows from firstRow to lastRow.
    bool HasColouredBrickInRows(int firstRow, int lastRow) const;
    // Whether nothing shows above the floor but one piece that has fallen untouched since it came
    // in: the coloured bricks of one standard kind, unturned, in the columns where pieces come in.
    bool HoldsOnlyANewPiece() const;

private:
    QImage well_;
    int pitch_;
};

// The mean difference of two shots of a size, per colour channel (0 to 255), leaving out a
// rectangle of them (the caption, which moves).
double MeanDifference(const QImage& a, const QImage& b, QRect leftOut);

// The share of the 2 x 2 squares of a shot whose four pixels are not all alike: none in a picture
// enlarged twice by repeating each pixel, most in one drawn at its own resolution.
double ShareOfFineSquares(const QImage& shot);

} // namespace stacklume::e2e
