#pragma once

#include "TextMeasure.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace stacklume {

// The initial size offsets of the characters.
enum class TTextAnimStyle : std::uint8_t {
    taAll = 0,    // every character at 0: all pulse in unison
    taRandom = 1, // uniform random in 0..MaxStep
    taWave = 2,   // a half-sine arch over the text
    taWind = 3,   // a rising ramp
};

// A caption whose characters swell and shrink between the font size and the font size plus
// MaxStep points, and whose colour sweeps channel by channel from a start colour to a stop
// colour and back. Only numbers live here; the widget paints them.
//
// Call ResetAnimation(true) and ResetColors once before the first frame.
class TextAnimation {
public:
    static constexpr std::uint16_t DefaultMaxStep = 20;
    static constexpr std::uint16_t DefaultStep = 2;
    static constexpr int DefaultFontPoints = 10;

    // The measure must outlive the animation.
    TextAnimation(const TextMeasure& measure, std::uint32_t randomSeed);

    const std::string& Caption() const { return caption_; }
    TTextAnimStyle Style() const { return style_; }
    std::uint16_t MaxStep() const { return maxStep_; }
    std::uint16_t Step() const { return step_; }
    int FontPoints() const { return fontPoints_; }

    // Takes the text (one character per byte) and rebuilds everything for it.
    void SetCaption(std::string caption);
    // The font changed: keeps its size and measures again; the sizes restart from the style.
    void FontChanged(int fontPoints);
    // These return whether the value changed; a change restarts the sizes from the style.
    bool SetMaxStep(std::uint16_t maxStep);
    bool SetStyle(TTextAnimStyle style);
    // Never above MaxStep.
    void SetStep(std::uint16_t step);

    // Sets every character's initial offset and direction and has the characters measured anew,
    // at one point below the largest size they reach. With reallocate the character count
    // follows the caption; without it the count of the last full reset stays.
    void ResetAnimation(bool reallocate);
    // Both colours must be plain RGB values; the sweep restarts at the start colour.
    void ResetColors(std::uint32_t startRgb, std::uint32_t stopRgb);
    // The colour of the next character drawn; advances the sweep by one.
    std::uint32_t MakeFontColor();
    // Moves every character one step, bouncing between 0 and MaxStep.
    void NextFrame();

    int CharCount() const { return static_cast<int>(charSteps_.size()); }
    const std::vector<std::int32_t>& CharWidths() const {
        MeasureIfNeeded();
        return charWidths_;
    }
    const std::vector<std::int32_t>& CharSteps() const { return charSteps_; }
    const std::vector<std::int8_t>& CharDirections() const { return charDirections_; }
    std::int32_t TotalWidth() const {
        MeasureIfNeeded();
        return totalWidth_;
    }
    std::int32_t LineHeight() const {
        MeasureIfNeeded();
        return lineHeight_;
    }
    std::int32_t ColorDirection() const { return colorDirection_; }
    std::uint8_t ColorCounter() const { return colorCounter_; }
    std::int32_t MaxColorDelta() const { return maxColorDelta_; }
    const std::array<std::uint8_t, 3>& StartRGB() const { return startRgb_; }
    const std::array<std::int32_t, 3>& ColorDelta() const { return colorDelta_; }

private:
    std::int32_t InitialStep(int index, int count);
    // Measuring loads the font at a new size, which takes a while: it waits until a width or
    // the height is asked for, usually when the caption is first shown.
    void MeasureIfNeeded() const;

    const TextMeasure& measure_;
    std::mt19937 random_;

    std::string caption_;
    int fontPoints_ = DefaultFontPoints;
    std::uint16_t maxStep_ = DefaultMaxStep;
    std::uint16_t step_ = DefaultStep;
    TTextAnimStyle style_ = TTextAnimStyle::taWind;

    std::vector<std::int32_t> charSteps_;
    std::vector<std::int8_t> charDirections_;
    mutable bool measured_ = false;
    mutable std::vector<std::int32_t> charWidths_;
    mutable std::int32_t totalWidth_ = 0;
    mutable std::int32_t lineHeight_ = 0;

    std::int32_t colorDirection_ = 1;
    std::uint8_t colorCounter_ = 0;
    std::int32_t maxColorDelta_ = 0;
    std::array<std::uint8_t, 3> startRgb_{};
    std::array<std::int32_t, 3> colorDelta_{};
};

} // namespace stacklume
