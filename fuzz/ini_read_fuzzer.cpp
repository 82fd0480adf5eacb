// The settings file's reader on arbitrary file bytes: the player's preferences and the four
// brick patterns come out as usable values, and every key, the file's and the game's, reads as
// the file's bytes say by the format's rules, under its names spelled in any ASCII case.

#include "BrickDrawing.h"
#include "BrickSettings.h"
#include "FuzzSupport.h"
#include "GameTypes.h"
#include "IniFile.h"
#include "IniOracle.h"
#include "Preferences.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace stacklume;
using namespace stacklume::fuzz;

namespace {

// Each read parses the whole file again; a bounded number keeps a run fast.
constexpr std::size_t NamesChecked = 24;

bool OneOf(int value, std::initializer_list<int> choices) {
    return std::find(choices.begin(), choices.end(), value) != choices.end();
}

void CheckPreferences(const IniFile& ini) {
    const Preferences preferences = ReadPreferences(ini);
    Require(OneOf(preferences.FallInterval, {FallIntervalVerySlow, FallIntervalSlow, FallIntervalMedium,
                                             FallIntervalFast, FallIntervalVeryFast}),
            "the speed read is one of the five");
    Require(
        OneOf(preferences.LateralLatency, {LateralLatencyShort, LateralLatencyMedium, LateralLatencyLong}),
        "the lateral latency read is one of the three");
    Require(OneOf(preferences.DownArrowMode, {DownArrowDrop, DownArrowFastDrop, DownArrowRotation}),
            "the down arrow mode read is one of the three");
    Require(OneOf(preferences.KindCount, {StandardKindCount, KindTotal}), "the kind count is 8 or 12");
}

void CheckBrickPatterns(const IniFile& ini) {
    for (const std::string& pattern : ReadBrickPatterns(ini)) {
        Require(pattern.size() == PatternLength, "a pattern read has 16 characters");
        Require(std::all_of(pattern.begin(), pattern.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }),
                "a pattern read holds one byte per character");
    }
}

QString AsciiUpper(const QString& name) {
    QString upper = name;
    for (QChar& c : upper)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return upper;
}

void CheckEveryValue(const IniFile& ini, const QByteArray& bytes) {
    const std::vector<IniEntry> entries = IniEntriesIn(bytes);
    std::vector<IniName> names = IniNamesIn(entries, NamesChecked);
    names.insert(names.end(), GameIniNames.begin(), GameIniNames.end());
    for (const auto& [section, key] : names) {
        const QString expected = IniValueOf(entries, {section, key}).value_or(AbsentMarker());
        RequireSame(ini.ReadString(section, key, AbsentMarker()), expected,
                    "a key reads as the file holds it");
        RequireSame(ini.ReadString(AsciiUpper(section), AsciiUpper(key), AbsentMarker()), expected,
                    "names are matched without regard to ASCII case");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const IniFile ini(WriteScratchFile(QStringLiteral("stacklume.ini"), bytes));
    CheckPreferences(ini);
    CheckBrickPatterns(ini);
    CheckEveryValue(ini, bytes);
    return 0;
}
