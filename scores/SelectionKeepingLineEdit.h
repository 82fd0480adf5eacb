#pragma once

#include <QLineEdit>

namespace stacklume {

// A one-line edit box whose selection stays (and stays drawn) when the focus moves elsewhere.
class SelectionKeepingLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit SelectionKeepingLineEdit(QWidget* parent = nullptr);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace stacklume
