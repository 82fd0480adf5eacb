#include "IniOracle.h"

#include <QStringDecoder>

#include <algorithm>

namespace stacklume::fuzz {

namespace {

constexpr int LongestValue = 2047;

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || IsLineBreak(c); }
bool IsBlankOrControl(QChar c) { return c.unicode() <= 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F); }

QByteArray WithoutBlanksAtEnd(QByteArray text) {
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

bool SameIgnoringAsciiCase(const QByteArray& a, const QByteArray& b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// UTF-8 as it stands: unlike QString::fromUtf8, an initial byte order mark is kept as U+FEFF.
QString DecodedUtf8(const QByteArray& bytes) {
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom).decode(bytes);
}

} // namespace

const std::array<IniName, 8> GameIniNames{{{"config", "speed"},
                                           {"config", "lateral step"},
                                           {"config", "downarrow"},
                                           {"config", "sound"},
                                           {"config", "color"},
                                           {"bricks", "active"},
                                           {"bricks", "b1"},
                                           {"Background", "file"}}};

std::vector<IniEntry> IniEntriesIn(const QByteArray& fileBytes) {
    std::vector<IniEntry> entries;
    const QByteArray text = QByteArray(fileBytes).replace('\0', ' ');
    qsizetype at = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
    };
    std::optional<QByteArray> section = QByteArray();
    for (skipBlanks(); at < text.size(); skipBlanks()) {
        const char first = text[at];
        if (first == '[') {
            ++at;
            skipBlanks();
        }
        const qsizetype begin = at;
        while (at < text.size() && !IsLineBreak(text[at]))
            ++at;
        const QByteArray line = text.sliced(begin, at - begin);
        const qsizetype mark = line.indexOf(first == '[' ? ']' : '=');
        if (first == '[')
            section = mark < 0 ? std::nullopt : std::optional(WithoutBlanksAtEnd(line.first(mark)));
        else if (first != ';' && first != '#' && mark > 0)
            entries.push_back(
                {section, WithoutBlanksAtEnd(line.first(mark)), WithoutBlanksAtEnd(line.sliced(mark + 1))});
    }
    return entries;
}

std::vector<IniName> IniNamesIn(const std::vector<IniEntry>& entries, std::size_t limit) {
    std::vector<IniName> names;
    const auto spellable = [](const QByteArray& name) { return DecodedUtf8(name).toUtf8() == name; };
    for (const IniEntry& entry : entries) {
        if (names.size() == limit)
            break;
        if (!entry.section || entry.section->isEmpty() || !spellable(*entry.section) || !spellable(entry.key))
            continue;
        const IniName name{DecodedUtf8(*entry.section), DecodedUtf8(entry.key)};
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

std::optional<QString> IniValueOf(const std::vector<IniEntry>& entries, const IniName& name) {
    const QByteArray section = name.first.toUtf8();
    const QByteArray key = name.second.toUtf8();
    for (const IniEntry& entry : entries)
        if (entry.section && SameIgnoringAsciiCase(*entry.section, section) &&
            SameIgnoringAsciiCase(entry.key, key))
            return ValueAsRead(DecodedUtf8(entry.value));
    return std::nullopt;
}

QString ValueAsRead(const QString& value) {
    qsizetype start = 0;
    while (start < value.size() && (value[start] == QLatin1Char(' ') || value[start] == QLatin1Char('\t')))
        ++start;
    qsizetype end = start;
    for (int characters = 0; end < value.size() && characters < LongestValue; ++characters)
        end +=
            value[end].isHighSurrogate() && end + 1 < value.size() && value[end + 1].isLowSurrogate() ? 2 : 1;
    qsizetype begin = start;
    while (begin < end && IsBlankOrControl(value[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(value[end - 1]))
        --end;
    return value.sliced(begin, end - begin);
}

QString AbsentMarker() { return QString(QChar(0xD800)) + QStringLiteral("absent"); }

} // namespace stacklume::fuzz
