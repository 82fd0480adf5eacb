#pragma once

// The player's preferences as the settings file carries them from one run to the next.

#include "GameTypes.h"

#include <QString>

namespace stacklume {

class IniFile;

inline constexpr char SettingsFileName[] = "stacklume.ini";

// The settings file in the given folder.
QString SettingsFilePath(const QString& folder);

// A colour value the game does not know leaves the scheme as the window started with it.
enum class ColorScheme { Multicolored, RedShades, Unrecognized };

struct Preferences {
    QString BackgroundFile; // as read: trimmed and lower-cased; as written: as given
    int FallInterval = FallIntervalMedium;
    int LateralLatency = LateralLatencyMedium;
    int DownArrowMode = DownArrowDrop;
    bool SoundOn = true;
    ColorScheme Color = ColorScheme::Multicolored;
    int KindCount = StandardKindCount;

    // The preferences a running game has, to be written on close.
    static Preferences FromOptions(const GameOptions& options, const QString& backgroundFile);

    // Sets the engine's preference fields; an unrecognised colour leaves RedShades as it is.
    // The background name is not an engine option: the window takes it from BackgroundFile.
    void ApplyTo(GameOptions& options) const;

    bool operator==(const Preferences&) const = default;
};

// Reads every key, in one read of the file, each with its default when missing. Values are compared exactly,
// with regard to case, after trimming; anything not recognised takes the last choice of its key (Very slow,
// Long, Rotation, sound off, personalized bricks off), or for the colour, Unrecognized.
Preferences ReadPreferences(const IniFile& settings);

// Writes all seven keys in one write, in this order: speed, lateral step, color, downarrow, sound
// (section "config"), active (section "bricks"), file (section "Background"). A refused write
// throws IniWriteError and leaves the file as it was.
void WritePreferences(IniFile& ini, const Preferences& preferences);

} // namespace stacklume
