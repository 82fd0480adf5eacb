#pragma once

#include "GameTypes.h"

#include <QFrame>

#include <array>
#include <optional>

namespace stacklume {

// The panel on which a brick is drawn. It takes the pointer and the keyboard for the cells it
// holds, which are plain panels: a left click says which cell it hit (or the panel itself, for a
// click between cells), and dragging on from a clicked cell says which cells the pointer passes
// over. With keyboard focus (Tab), the arrow keys move a marker from cell to cell and Space
// clicks the marked cell.
class BrickPanel : public QFrame {
    Q_OBJECT
public:
    using CellGrid = std::array<std::array<QFrame*, BoxSize>, BoxSize>;

    explicit BrickPanel(QWidget* parent = nullptr);

    // The cells, [row][column]; children of this panel.
    void SetCells(const CellGrid& cells);

signals:
    // sender is the cell clicked, or this panel for a click between the cells.
    void clicked(QObject* sender);
    // The left button, held since a click on origin, has been dragged onto another cell.
    void draggedOnto(QFrame* cell, QFrame* origin);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct CellPlace {
        int Row = 0;
        int Column = 0;
    };
    std::optional<CellPlace> PlaceAt(QPoint position) const;
    QFrame* CellAt(QPoint position) const;
    void MoveMarker(int rowStep, int columnStep);

    CellGrid cells_{};
    QFrame* dragOrigin_ = nullptr;
    QFrame* dragLast_ = nullptr;
    CellPlace marked_;
};

} // namespace stacklume
