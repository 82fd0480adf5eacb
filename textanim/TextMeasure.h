#pragma once

#include <string_view>

namespace stacklume {

// Measures text in the caption's font at a given size in points. The animation sees sizes only
// as numbers, so it can be exercised without fonts or a screen.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;

    // Horizontal advance of one character.
    virtual int CharWidth(char character, int points) const = 0;
    // Height of a line of the text.
    virtual int TextHeight(std::string_view text, int points) const = 0;
};

} // namespace stacklume
