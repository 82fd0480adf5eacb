#include "SelectionKeepingLineEdit.h"

namespace stacklume {

SelectionKeepingLineEdit::SelectionKeepingLineEdit(QWidget* parent) : QLineEdit(parent) {
    // Draw the selection of an unfocused box as boldly as a focused one.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
}

void SelectionKeepingLineEdit::focusOutEvent(QFocusEvent* event) {
    const int start = selectionStart();
    const int length = selectionLength();
    QLineEdit::focusOutEvent(event); // clears the selection
    if (start >= 0)
        setSelection(start, length);
}

} // namespace stacklume
