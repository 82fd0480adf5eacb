#pragma once

// The shared vocabulary of the game: the well, piece shapes, the falling piece,
// the commands and the preferences that steer play. Plain data, no toolkit.

#include <array>
#include <cstdint>

namespace stacklume {

inline constexpr int WellRows = 20;
inline constexpr int WellColumns = 12;
inline constexpr int FloorRow = WellRows - 1;
inline constexpr int FloorImage = 1;
inline constexpr int BoxSize = 4;
inline constexpr int KindTotal = 12;
inline constexpr int StandardKindCount = 8;
inline constexpr int FirstPersonalizedKind = 8;
inline constexpr int PersonalizedKindCount = 4;
inline constexpr int ImagesPerList = 14;

// Rows top to bottom; 0 is empty, a positive value is the image a settled brick is drawn with.
using WellRow = std::array<std::int32_t, WellColumns>;
using Well = std::array<WellRow, WellRows>;

// [row][column], row 0 at the top of the 4 x 4 box; every cell is 0 or 1.
using PieceShape = std::array<std::array<std::uint8_t, BoxSize>, BoxSize>;

struct PieceKind {
    PieceShape Shape{};
    int Image = 0;
};

using PieceKinds = std::array<PieceKind, KindTotal>;

struct Piece {
    PieceShape Shape{};
    int X = 0; // well column of box column 0
    int Y = 0; // well row of box row 0; negative while the box reaches above the well
    int Image = 0;

    bool operator==(const Piece&) const = default;
};

enum class Command { None, MoveLeft, MoveRight, RotateClockwise, RotateCounterClockwise, HardDrop };

// The six brick image lists: two colour schemes in three sizes.
enum class ImageListId { List1, ImageList4, ImageList1, ImageList3, ImageList5, ImageList2 };

// The speed levels are told apart by their nominal interval; it is never used as milliseconds.
inline constexpr int FallIntervalVerySlow = 800;
inline constexpr int FallIntervalSlow = 400;
inline constexpr int FallIntervalMedium = 200;
inline constexpr int FallIntervalFast = 100;
inline constexpr int FallIntervalVeryFast = 50;

inline constexpr int LateralLatencyShort = 2;
inline constexpr int LateralLatencyMedium = 3;
inline constexpr int LateralLatencyLong = 4;

inline constexpr int DownArrowDrop = 0;
inline constexpr int DownArrowFastDrop = 1;
inline constexpr int DownArrowRotation = 2;

// The preferences read by the tick; the shell sets them, the engine never changes them.
struct GameOptions {
    int FallInterval = FallIntervalMedium;
    int LateralLatency = LateralLatencyMedium;
    int DownArrowMode = DownArrowDrop;
    bool SoundOn = true;
    bool RedShades = false;
    int KindCount = StandardKindCount;
    int SizeClass = 0;
    int CellPitch = 24;
    ImageListId ActiveImageList = ImageListId::List1;
};

inline constexpr int CellPitchForSizeClass(int sizeClass) {
    constexpr std::array<int, 3> pitches{24, 28, 31};
    return pitches.at(static_cast<std::size_t>(sizeClass));
}

inline constexpr ImageListId SelectImageList(int sizeClass, bool redShades) {
    constexpr std::array<ImageListId, 3> multicolored{ImageListId::List1, ImageListId::ImageList1,
                                                      ImageListId::ImageList5};
    constexpr std::array<ImageListId, 3> red{ImageListId::ImageList4, ImageListId::ImageList3,
                                             ImageListId::ImageList2};
    return (redShades ? red : multicolored).at(static_cast<std::size_t>(sizeClass));
}

// Virtual-key numbers of the nine polled keys.
namespace VirtualKey {
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Space = 0x20;
inline constexpr int End = 0x23;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Delete = 0x2E;
} // namespace VirtualKey

} // namespace stacklume
