#include "BrickPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace stacklume {

BrickPanel::BrickPanel(QWidget* parent) : QFrame(parent) {
    // Tab reaches the panel; a click does not take the focus away from where the player left it.
    setFocusPolicy(Qt::TabFocus);
}

void BrickPanel::SetCells(const CellGrid& cells) { cells_ = cells; }

std::optional<BrickPanel::CellPlace> BrickPanel::PlaceAt(QPoint position) const {
    for (int row = 0; row < BoxSize; ++row)
        for (int column = 0; column < BoxSize; ++column)
            if (cells_[row][column] && cells_[row][column]->geometry().contains(position))
                return CellPlace{row, column};
    return std::nullopt;
}

QFrame* BrickPanel::CellAt(QPoint position) const {
    const std::optional<CellPlace> place = PlaceAt(position);
    return place ? cells_[place->Row][place->Column] : nullptr;
}

// The cells leave the pointer's events to the panel, so they arrive here in panel coordinates.
void BrickPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    event->accept();
    const std::optional<CellPlace> place = PlaceAt(event->position().toPoint());
    QFrame* cell = place ? cells_[place->Row][place->Column] : nullptr;
    dragOrigin_ = cell;
    dragLast_ = cell;
    if (place) {
        marked_ = *place; // the keyboard goes on from the last cell clicked
        update();
    }
    emit clicked(cell ? static_cast<QObject*>(cell) : this);
}

void BrickPanel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!dragOrigin_ || !(event->buttons() & Qt::LeftButton))
        return;
    QFrame* cell = CellAt(event->position().toPoint());
    if (!cell || cell == dragLast_)
        return;
    dragLast_ = cell;
    emit draggedOnto(cell, dragOrigin_);
}

void BrickPanel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        dragOrigin_ = nullptr;
        dragLast_ = nullptr;
    }
}

void BrickPanel::MoveMarker(int rowStep, int columnStep) {
    marked_.Row = std::clamp(marked_.Row + rowStep, 0, BoxSize - 1);
    marked_.Column = std::clamp(marked_.Column + columnStep, 0, BoxSize - 1);
    update();
}

void BrickPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        MoveMarker(0, -1);
        break;
    case Qt::Key_Right:
        MoveMarker(0, 1);
        break;
    case Qt::Key_Up:
        MoveMarker(-1, 0);
        break;
    case Qt::Key_Down:
        MoveMarker(1, 0);
        break;
    case Qt::Key_Space:
        if (QFrame* cell = cells_[marked_.Row][marked_.Column])
            emit clicked(cell);
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
}

void BrickPanel::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void BrickPanel::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

// The marker runs in the gap around the marked cell, so the cells keep their size and place.
void BrickPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QFrame* cell = cells_[marked_.Row][marked_.Column];
    if (!hasFocus() || !cell)
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(cell->geometry().adjusted(-2, -2, 1, 1));
}

} // namespace stacklume
