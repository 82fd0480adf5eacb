#pragma once

#include "TextMeasure.h"

class QWidget;

namespace stacklume {

// Measures in the widget's current font, resized to the requested points.
class FontMeasure : public TextMeasure {
public:
    explicit FontMeasure(const QWidget& widget) : widget_(widget) {}

    int CharWidth(char character, int points) const override;
    int TextHeight(std::string_view text, int points) const override;

private:
    const QWidget& widget_;
};

} // namespace stacklume
