#include "BrickPainter.h"

#include "BrickOutline.h"
#include "BrickTexture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace stacklume {

namespace {

// Distance along the diagonal, from the centre toward a corner, at which the gradient reaches
// Light or Dark: the middle of the corner areas a quarter of the brick wide.
constexpr double FullShadeReach = 0.75;
// The top-left and bottom-right corners fall to about nine tenths of the base brightness; the
// dimming grows with the cube of the distance so the middle stays close to the base.
constexpr double CornerDimming = 0.3;
constexpr int BalanceRounds = 8;

// One channel of an inside pixel is Middle * middle + Light * light + Dark * dark + offset, where
// Middle is the gradient's value at the centre, chosen so the average comes out as Base.
struct PixelWeights {
    double middle = 0;
    double light = 0;
    double dark = 0;
    double offset = 0;
};

// The gradient is laid over the device pixels, so it is smooth at every ratio; the texture stays
// on the design's pixels, so a brick shows the same mottling and streaks at every ratio.
std::vector<PixelWeights> InsideWeights(const BrickDesign& design, const BrickScale& scale) {
    const int inside = scale.Pixels - 2 * scale.Outline;
    std::vector<PixelWeights> weights;
    weights.reserve(static_cast<std::size_t>(inside * inside));
    for (int row = 0; row < inside; ++row) {
        for (int column = 0; column < inside; ++column) {
            const double right = (column + 0.5) / inside; // 0 at the left, 1 at the right
            const double down = (row + 0.5) / inside;     // 0 at the top, 1 at the bottom
            const double towardLight = right - down;      // -1 at the bottom left, 1 at the top right
            const double towardBottomRight = right + down - 1.0;
            const double reach = std::abs(towardLight) / FullShadeReach;
            const double dimming = 1.0 - CornerDimming * std::pow(std::abs(towardBottomRight), 3);
            const int designColumn = scale.DesignPixel(scale.Outline + column) - 1;
            const int designRow = scale.DesignPixel(scale.Outline + row) - 1;
            const double streaks = design.Streaked ? Streaks(design.Texture, designColumn, designRow) : 1.0;
            const double shading = dimming * streaks;
            PixelWeights pixel;
            pixel.middle = shading * (1.0 - reach);
            (towardLight >= 0 ? pixel.light : pixel.dark) = shading * reach;
            pixel.offset = Mottling(design.Texture, scale.Size, designColumn, designRow);
            weights.push_back(pixel);
        }
    }
    return weights;
}

int ChannelLevel(const PixelWeights& pixel, double middle, int light, int dark) {
    const double value = middle * pixel.middle + light * pixel.light + dark * pixel.dark + pixel.offset;
    return static_cast<int>(std::clamp(std::lround(value), 0L, 255L));
}

std::array<int, 3> Channels(Rgb colour) { return {colour.Red, colour.Green, colour.Blue}; }

// The gradient's value at the centre that makes the average inside equal to `base`; clipping at
// black and white is why this is found by correction rounds rather than in one step.
double BalancedMiddle(const std::vector<PixelWeights>& weights, int base, int light, int dark) {
    double middleWeight = 0;
    for (const PixelWeights& pixel : weights)
        middleWeight += pixel.middle;
    middleWeight /= static_cast<double>(weights.size());

    double middle = base;
    for (int round = 0; round < BalanceRounds; ++round) {
        long sum = 0;
        for (const PixelWeights& pixel : weights)
            sum += ChannelLevel(pixel, middle, light, dark);
        const double error = base - static_cast<double>(sum) / static_cast<double>(weights.size());
        if (std::abs(error) < 0.25)
            break;
        middle += error / middleWeight;
    }
    return middle;
}

} // namespace

QImage PaintBrick(const BrickDesign& design, const BrickScale& scale) {
    const int pixels = scale.Pixels;
    QImage image(pixels, pixels, QImage::Format_RGB32);
    for (int y = 0; y < pixels; ++y)
        for (int x = 0; x < pixels; ++x) {
            const int designX = scale.DesignPixel(x);
            const int designY = scale.DesignPixel(y);
            if (IsOnOutline(scale.Size, designX, designY)) {
                const int grey = OutlineGrey(scale.Size, designX, designY);
                image.setPixel(x, y, qRgb(grey, grey, grey));
            }
        }

    const std::vector<PixelWeights> weights = InsideWeights(design, scale);
    const std::array<int, 3> base = Channels(design.Base);
    const std::array<int, 3> light = Channels(design.Light);
    const std::array<int, 3> dark = Channels(design.Dark);
    std::array<double, 3> middle{};
    for (std::size_t channel = 0; channel < 3; ++channel)
        middle[channel] = BalancedMiddle(weights, base[channel], light[channel], dark[channel]);

    const int inside = pixels - 2 * scale.Outline;
    for (int row = 0; row < inside; ++row) {
        for (int column = 0; column < inside; ++column) {
            const PixelWeights& pixel = weights[static_cast<std::size_t>(row * inside + column)];
            std::array<int, 3> levels{};
            for (std::size_t channel = 0; channel < 3; ++channel)
                levels[channel] = ChannelLevel(pixel, middle[channel], light[channel], dark[channel]);
            image.setPixel(column + scale.Outline, row + scale.Outline,
                           qRgb(levels[0], levels[1], levels[2]));
        }
    }
    return image;
}

} // namespace stacklume
