#include "BrickSettings.h"

#include "BrickDrawing.h"
#include "IniFile.h"

#include <QList>
#include <QStringView>

#include <vector>

namespace stacklume {

QString BrickPatternKey(int brick) { return QStringLiteral("b%1").arg(brick + 1); }

const BrickPatternTexts& DefaultBrickPatterns() {
    static const BrickPatternTexts defaults{"1111100110011111", "1100100000010011", "1111000000001111",
                                            "1111011001100110"};
    return defaults;
}

std::string UsablePattern(const QString& storedValue) {
    std::string pattern;
    pattern.reserve(PatternLength);
    for (const char32_t character : QStringView(storedValue).toUcs4()) {
        if (pattern.size() == PatternLength)
            break;
        pattern.push_back(character < 0x80 ? static_cast<char>(character) : '1');
    }
    pattern.resize(PatternLength, '0');
    // The settings file trims the ends of a value, so a blank or control character that the cut
    // leaves last would be gone after the next save and read, and its cell with it. "-" reads as
    // they do by both rules: an empty cell in the editor, a filled one in the piece.
    for (auto last = pattern.rbegin(); last != pattern.rend() && (*last <= ' ' || *last == '\x7f'); ++last)
        *last = '-';
    return pattern;
}

BrickPatternTexts ReadBrickPatterns(const IniFile& settings) {
    const IniValues values = settings.Read();
    BrickPatternTexts patterns;
    for (int brick = 0; brick < PersonalizedKindCount; ++brick) {
        const QString stored = values.ReadString(QString::fromLatin1(BricksSection), BrickPatternKey(brick),
                                                 QString::fromStdString(DefaultBrickPatterns()[brick]));
        patterns[brick] = UsablePattern(stored);
    }
    return patterns;
}

void WriteBrickPatterns(IniFile& settings, const BrickPatternTexts& patterns) {
    std::vector<IniFile::Entry> entries;
    for (int brick = 0; brick < PersonalizedKindCount; ++brick)
        entries.push_back({QString::fromLatin1(BricksSection), BrickPatternKey(brick),
                           QString::fromStdString(patterns[brick])});
    settings.WriteStrings(entries);
}

} // namespace stacklume
