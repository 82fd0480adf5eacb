// Pattern texts of the personalized bricks, as a hand-edited settings file may hold them, into
// the editor's cells and the engine's shapes. A well-formed pattern survives a save unchanged,
// any pattern the reader makes usable survives being written and read again, and centring keeps
// the drawing whole and puts it in the middle of its box.

#include "BrickDrawing.h"
#include "BrickSettings.h"
#include "FuzzSupport.h"
#include "IniFile.h"
#include "IniOracle.h"
#include "Moves.h"
#include "PieceKinds.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace stacklume;
using namespace stacklume::fuzz;

namespace {

using Cells = std::array<std::array<bool, BoxSize>, BoxSize>;

Cells CellsOf(const PieceShape& shape) {
    Cells cells{};
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c)
            cells[r][c] = shape[r][c] != 0;
    return cells;
}

int FilledCount(const Cells& cells) {
    int count = 0;
    for (const auto& row : cells)
        count += int(std::count(row.begin(), row.end(), true));
    return count;
}

// The drawing moved to the top-left corner of its box: equal for drawings of the same shape.
Cells ToCorner(const Cells& cells) {
    int top = BoxSize;
    int left = BoxSize;
    for (int r = 0; r < BoxSize; ++r)
        for (int c = 0; c < BoxSize; ++c)
            if (cells[r][c]) {
                top = std::min(top, r);
                left = std::min(left, c);
            }
    Cells corner{};
    for (int r = top; r < BoxSize; ++r)
        for (int c = left; c < BoxSize; ++c)
            corner[r - top][c - left] = cells[r][c];
    return corner;
}

// Empty lines before the first filled one and after the last, along rows (byRows) or columns.
std::pair<int, int> EmptyEdges(const Cells& cells, bool byRows) {
    const auto filled = [&](int line) {
        for (int i = 0; i < BoxSize; ++i)
            if (byRows ? cells[line][i] : cells[i][line])
                return true;
        return false;
    };
    int low = 0;
    while (low < BoxSize && !filled(low))
        ++low;
    int high = 0;
    while (high < BoxSize && !filled(BoxSize - 1 - high))
        ++high;
    return {low, high};
}

void CheckCentred(const Cells& before, const Cells& after, std::string_view who) {
    const std::string what(who);
    Require(FilledCount(after) == FilledCount(before), what + " keeps the number of filled cells");
    Require(ToCorner(after) == ToCorner(before), what + " keeps the shape");
    if (FilledCount(before) == 0)
        return;
    for (const bool byRows : {true, false}) {
        const auto [low, high] = EmptyEdges(after, byRows);
        Require(high == low || high == low + 1, what + " leaves the spare line below or to the right");
    }
}

void CheckEditor(const std::string& pattern) {
    const BrickDrawing drawing = DrawingFromPattern(pattern);
    for (std::size_t i = 0; i < PatternLength; ++i) {
        const bool filled = i < pattern.size() && static_cast<unsigned char>(pattern[i]) > '0';
        Require(drawing[i / BoxSize][i % BoxSize] == filled, "the editor fills a cell above \"0\"");
    }

    std::string saved = pattern;
    SaveDrawingInto(drawing, saved);
    Require(saved.size() == std::max(pattern.size(), PatternLength), "a save keeps the length of the text");
    Require(saved.compare(PatternLength, std::string::npos, pattern,
                          std::min(pattern.size(), PatternLength)) == 0,
            "a save keeps what follows the 16th character");
    Require(DrawingFromPattern(saved) == drawing, "a saved drawing shows the same cells");
    const bool wellFormed =
        pattern.size() == PatternLength &&
        std::all_of(pattern.begin(), pattern.end(), [](char c) { return c == '0' || c == '1'; });
    if (wellFormed) {
        Require(saved == pattern, "a well-formed pattern survives a save unchanged");
        Require(CellsOf(ShapeFromPattern(pattern)) == drawing, "editor and engine agree on 0 and 1");
    }

    BrickDrawing centred = drawing;
    CentreCells(centred);
    CheckCentred(drawing, centred, "centring the cells");
    BrickDrawing twice = centred;
    CentreCells(twice);
    Require(twice == centred, "a centred drawing stays where it is");
}

void CheckEngine(const std::string& pattern) {
    const PieceShape shape = ShapeFromPattern(pattern);
    for (std::size_t i = 0; i < PatternLength; ++i) {
        const bool filled = i < pattern.size() && pattern[i] != '0';
        Require((shape[i / BoxSize][i % BoxSize] != 0) == filled, "the engine fills a cell but for \"0\"");
    }
    PieceShape centred = shape;
    CentreShape(centred);
    CheckCentred(CellsOf(shape), CellsOf(centred), "centring the shape");
}

// A value as the settings file can hold it: one line, in which a NUL byte reads as a blank.
QString StoredValue(const std::string& text) {
    QString value = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const qsizetype lineEnd = value.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    if (lineEnd >= 0)
        value.truncate(lineEnd);
    value.replace(QChar(0), QLatin1Char(' '));
    return ValueAsRead(value);
}

// What the reader makes of the text is written back by the dialog's OK and read at the next start.
void CheckSettingsRoundTrip(const std::string& pattern) {
    const QString stored = StoredValue(pattern);
    const std::string usable = UsablePattern(stored);
    Require(usable.size() == PatternLength, "a usable pattern has 16 characters");
    if (stored.size() == qsizetype(PatternLength) &&
        std::all_of(stored.begin(), stored.end(), [](QChar c) { return c == u'0' || c == u'1'; }))
        Require(usable == stored.toStdString(), "a well-formed pattern is used as it is");

    const QString path = ScratchFolder() + QStringLiteral("/stacklume.ini");
    QFile::remove(path);
    IniFile settings(path);
    const BrickPatternTexts written{usable, DefaultBrickPatterns()[1], usable, DefaultBrickPatterns()[3]};
    WriteBrickPatterns(settings, written);
    Require(ReadBrickPatterns(settings) == written, "usable patterns survive being written and read");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string pattern(reinterpret_cast<const char*>(data), size);
    CheckEditor(pattern);
    CheckEngine(pattern);
    CheckSettingsRoundTrip(pattern);
    return 0;
}
