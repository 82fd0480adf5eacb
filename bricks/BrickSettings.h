#pragma once

// The [bricks] section of the settings file: the four drawings of the personalized bricks under
// the keys b1 to b4. (Its key "active" belongs to the player's preferences.)

#include "Game.h"

#include <QString>

#include <string>

namespace stacklume {

class IniFile;

inline constexpr char BricksSection[] = "bricks";

// The key of brick i (0 to 3): "b1" to "b4".
QString BrickPatternKey(int brick);

// What a brick holds when the file says nothing: a hollow square, two corners, two bars, a T.
const BrickPatternTexts& DefaultBrickPatterns();

// A stored value (already trimmed) as a pattern the editor and the engine can use whole: one byte
// per character, exactly 16 of them. A character beyond ASCII becomes "1", as both the editor and
// the engine count it as filled; a shorter text is completed with "0" (empty cells), a longer one
// is cut after 16. Blanks and control characters that the cut leaves at the end become "-", which
// the settings file keeps and which both rules read like them. A pattern of "0" and "1" comes back
// unchanged.
std::string UsablePattern(const QString& storedValue);

// b1 to b4, in one read of the file, each with its default when the key or the file is missing,
// made usable.
BrickPatternTexts ReadBrickPatterns(const IniFile& settings);

// Writes b1 to b4 in that order, in one write. A refused write throws IniWriteError and leaves the
// file as it was.
void WriteBrickPatterns(IniFile& settings, const BrickPatternTexts& patterns);

} // namespace stacklume
