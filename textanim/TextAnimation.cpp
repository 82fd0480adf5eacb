#include "TextAnimation.h"
#include "RgbColor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <utility>

namespace stacklume {

TextAnimation::TextAnimation(const TextMeasure& measure, std::uint32_t randomSeed)
    : measure_(measure), random_(randomSeed) {}

void TextAnimation::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    ResetAnimation(true);
}

void TextAnimation::FontChanged(int fontPoints) {
    fontPoints_ = fontPoints;
    ResetAnimation(false);
}

bool TextAnimation::SetMaxStep(std::uint16_t maxStep) {
    if (maxStep == maxStep_)
        return false;
    maxStep_ = maxStep;
    ResetAnimation(false);
    step_ = std::min(step_, maxStep_);
    return true;
}

bool TextAnimation::SetStyle(TTextAnimStyle style) {
    if (style == style_)
        return false;
    style_ = style;
    ResetAnimation(false);
    return true;
}

void TextAnimation::SetStep(std::uint16_t step) { step_ = std::min(step, maxStep_); }

void TextAnimation::ResetAnimation(bool reallocate) {
    if (reallocate) {
        const auto count = caption_.size();
        charSteps_.assign(count, 0);
        charDirections_.assign(count, 0);
    }
    const int count = CharCount();
    for (int i = 0; i < count; ++i) {
        charDirections_[i] = 1;
        charSteps_[i] = InitialStep(i, count);
    }
    measured_ = false;
}

std::int32_t TextAnimation::InitialStep(int index, int count) {
    switch (style_) {
    case TTextAnimStyle::taRandom:
        return std::uniform_int_distribution<std::int32_t>(0, maxStep_)(random_);
    case TTextAnimStyle::taWave: {
        // Extended precision, so that the arch comes out as the original component drew it.
        const long double angle = static_cast<long double>(index) / count * std::numbers::pi_v<long double>;
        return static_cast<std::int32_t>(std::sin(angle) * maxStep_);
    }
    case TTextAnimStyle::taWind:
        return static_cast<std::int32_t>(std::int64_t{maxStep_} * index / count);
    case TTextAnimStyle::taAll:
        break;
    }
    return 0;
}

void TextAnimation::MeasureIfNeeded() const {
    if (measured_)
        return;
    measured_ = true;
    // One point below the largest size reached: the widest characters may overhang a little.
    const int points = fontPoints_ + maxStep_ - 1;
    charWidths_.assign(charSteps_.size(), 0);
    std::int64_t total = 0;
    for (int i = 0; i < CharCount(); ++i) {
        charWidths_[i] = measure_.CharWidth(caption_[i], points);
        total += charWidths_[i];
    }
    // A caption of absurd length saturates rather than wrapping round.
    totalWidth_ =
        static_cast<std::int32_t>(std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
    lineHeight_ = measure_.TextHeight("X", points);
}

void TextAnimation::ResetColors(std::uint32_t startRgb, std::uint32_t stopRgb) {
    startRgb_ = {RedOf(startRgb), GreenOf(startRgb), BlueOf(startRgb)};
    const std::array<std::uint8_t, 3> stop{RedOf(stopRgb), GreenOf(stopRgb), BlueOf(stopRgb)};
    maxColorDelta_ = 0;
    for (std::size_t c = 0; c < 3; ++c) {
        colorDelta_[c] = std::int32_t{stop[c]} - std::int32_t{startRgb_[c]};
        maxColorDelta_ = std::max(maxColorDelta_, std::abs(colorDelta_[c]));
    }
    colorCounter_ = 0;
    colorDirection_ = 1;
}

std::uint32_t TextAnimation::MakeFontColor() {
    // Each channel moves one unit per step and holds once it arrives: not a proportional blend.
    std::array<std::uint8_t, 3> channels{};
    for (std::size_t c = 0; c < 3; ++c) {
        const std::int32_t distance = std::min<std::int32_t>(colorCounter_, std::abs(colorDelta_[c]));
        const std::int32_t sign = colorDelta_[c] < 0 ? -1 : 1;
        channels[c] = static_cast<std::uint8_t>(startRgb_[c] + sign * distance);
    }
    colorCounter_ = static_cast<std::uint8_t>(colorCounter_ + colorDirection_);
    if (colorCounter_ == maxColorDelta_ || colorCounter_ == 0)
        colorDirection_ = -colorDirection_;
    return MakeRgb(channels[0], channels[1], channels[2]);
}

void TextAnimation::NextFrame() {
    const std::int32_t maxStep = maxStep_;
    for (int i = 0; i < CharCount(); ++i) {
        std::int32_t& step = charSteps_[i];
        step += step_ * charDirections_[i];
        if (step > maxStep) {
            step = 2 * maxStep - step;
            charDirections_[i] = -1;
        }
        if (step <= 0) {
            step = -step;
            charDirections_[i] = 1;
        }
    }
}

} // namespace stacklume
