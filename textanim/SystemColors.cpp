#include "SystemColors.h"
#include "RgbColor.h"

#include <array>

namespace stacklume {

namespace {

struct PaletteEntry {
    std::uint32_t systemColor;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Window is the background of text entries, button face the background of dialogs and panels.
constexpr std::array<PaletteEntry, 11> PaletteEntries{{
    {SystemColor::Window, QPalette::Active, QPalette::Base},
    {SystemColor::WindowText, QPalette::Active, QPalette::WindowText},
    {SystemColor::Highlight, QPalette::Active, QPalette::Highlight},
    {SystemColor::HighlightText, QPalette::Active, QPalette::HighlightedText},
    {SystemColor::ButtonFace, QPalette::Active, QPalette::Button},
    {SystemColor::ButtonShadow, QPalette::Active, QPalette::Dark},
    {SystemColor::GrayText, QPalette::Disabled, QPalette::Text},
    {SystemColor::ButtonText, QPalette::Active, QPalette::ButtonText},
    {SystemColor::ButtonHighlight, QPalette::Active, QPalette::Light},
    {SystemColor::InfoText, QPalette::Active, QPalette::ToolTipText},
    {SystemColor::InfoBackground, QPalette::Active, QPalette::ToolTipBase},
}};

} // namespace

std::uint32_t ResolveColor(std::uint32_t color, const QPalette& palette) {
    if (!IsSystemColor(color))
        return color & 0xFFFFFF;
    const std::uint32_t index = color & 0xFF;
    for (const PaletteEntry& entry : PaletteEntries) {
        if ((entry.systemColor & 0xFF) == index)
            return FromQColor(palette.color(entry.group, entry.role));
    }
    return 0;
}

QColor ToQColor(std::uint32_t rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

std::uint32_t FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return MakeRgb(static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                   static_cast<std::uint8_t>(rgb.blue()));
}

} // namespace stacklume
