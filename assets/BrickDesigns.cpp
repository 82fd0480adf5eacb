#include "BrickDesigns.h"

namespace stacklume {

namespace {

constexpr BrickDesign Plain(Rgb base, Rgb light, Rgb dark, std::uint32_t texture) {
    return {base, light, dark, false, texture};
}

constexpr BrickDesign Streaked(Rgb base, Rgb light, Rgb dark, std::uint32_t texture) {
    return {base, light, dark, true, texture};
}

constexpr BrickDesign Retextured(BrickDesign design, std::uint32_t texture) {
    design.Texture = texture;
    return design;
}

constexpr std::array<BrickDesign, BrickImageCount> Multicoloured{{
    Plain({123, 123, 123}, {190, 190, 190}, {63, 63, 63}, 100),    // dark grey
    Plain({168, 168, 168}, {223, 223, 223}, {95, 95, 95}, 101),    // light grey: the floor
    Plain({185, 157, 130}, {234, 213, 192}, {106, 86, 65}, 102),   // tan
    Plain({213, 177, 72}, {255, 229, 153}, {127, 101, 28}, 103),   // golden yellow
    Plain({190, 74, 173}, {237, 150, 225}, {109, 24, 97}, 104),    // magenta
    Plain({213, 181, 141}, {255, 233, 206}, {127, 105, 80}, 105),  // peach
    Plain({133, 177, 213}, {197, 229, 255}, {71, 101, 127}, 106),  // light blue
    Plain({103, 137, 213}, {175, 200, 255}, {50, 74, 127}, 107),   // blue
    Plain({213, 104, 32}, {255, 176, 124}, {127, 51, 0}, 108),     // orange
    Plain({137, 213, 74}, {198, 255, 150}, {71, 127, 24}, 109),    // green
    Streaked({213, 153, 63}, {255, 210, 143}, {127, 86, 24}, 110), // amber
    Plain({68, 188, 183}, {156, 238, 234}, {32, 111, 107}, 111),   // teal
    Plain({213, 90, 125}, {255, 162, 188}, {127, 36, 62}, 112),    // pink
    Streaked({194, 44, 51}, {241, 129, 135}, {114, 11, 17}, 113),  // red
}};

// Images 2, 10 and 13 keep their multicoloured design but are drawn with a texture of their own;
// 4 and 12 are new colours on a new texture.
constexpr std::array<RedShadesEntry, BrickImageCount> RedShades{{
    SameAsMulticoloured{0},
    SameAsMulticoloured{1},
    Retextured(Multicoloured[2], 202),
    SameAsMulticoloured{3},
    Plain({188, 68, 172}, {238, 156, 227}, {111, 32, 99}, 204),   // magenta
    SameAsMulticoloured{8},                                       // orange
    Plain({213, 88, 62}, {255, 164, 146}, {127, 39, 21}, 206),    // vermilion
    Plain({178, 58, 64}, {229, 140, 144}, {102, 15, 19}, 207),    // crimson
    Plain({213, 115, 115}, {255, 184, 184}, {127, 58, 58}, 208),  // salmon
    Plain({213, 181, 100}, {255, 233, 178}, {127, 106, 53}, 209), // pale gold
    Retextured(Multicoloured[10], 210),
    Plain({213, 127, 68}, {255, 196, 156}, {127, 71, 32}, 211), // light orange
    Plain({213, 84, 121}, {255, 167, 192}, {127, 43, 67}, 212), // pink
    Retextured(Multicoloured[13], 213),
}};

} // namespace

const std::array<BrickDesign, BrickImageCount>& MulticolouredDesigns() { return Multicoloured; }

const std::array<RedShadesEntry, BrickImageCount>& RedShadesEntries() { return RedShades; }

} // namespace stacklume
