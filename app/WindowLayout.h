#pragma once

#include <QRect>
#include <QSize>

namespace stacklume {

// Where the main window's controls stand for one size class. Font sizes in pixels: the layout
// is in screen pixels whatever the screen's resolution setting.
struct WindowLayout {
    int SizeClass = 0;
    int CellPitch = 24;
    QSize ClientSize;
    QRect Panel;
    QRect Image;
    QRect Caption;
    int CaptionFontPoints = 11;
    QRect ScoreLabel;
    int ScoreLabelFontPixels = 13;
};

int SizeClassForScreenHeight(int height);
const WindowLayout& LayoutForSizeClass(int sizeClass);

// Top-left of a window of `outerSize` centred in `workArea`, not clamped: a window larger than
// the work area gets a negative offset.
QPoint CentredPosition(QSize outerSize, QRect workArea);

// Points to pixels at the 96 pixels per inch this layout is drawn for.
int PointsToPixels(int points);

} // namespace stacklume
