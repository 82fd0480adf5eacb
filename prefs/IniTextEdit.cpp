#include "IniTextEdit.h"

#include <optional>
#include <stdexcept>

// Why not let SimpleIni save the file: it drops what it does not understand (lines without "=",
// everything after a NUL byte) and merges repeated sections, so saving its view would lose the
// rest of a damaged or hand-edited file. Instead the writer walks the text with exactly the rules
// SimpleIni's parser (which IniFile reads with) applies, character for character, and so changes
// the very line the reader takes the value from. Keep the two in step when updating SimpleIni.

namespace stacklume {

namespace {

constexpr QByteArrayView Utf8Bom{"\xEF\xBB\xBF"};

// The parser's notion of white space: line breaks count as blanks between entries.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsCommentStart(char c) { return c == ';' || c == '#'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(QByteArrayView left, QByteArrayView right) {
    if (left.size() != right.size())
        return false;
    for (qsizetype i = 0; i < left.size(); ++i) {
        if (AsciiLower(left[i]) != AsciiLower(right[i]))
            return false;
    }
    return true;
}

struct ValueSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
};

struct KeyLine {
    QByteArrayView name;
    ValueSpan value;
};

// Where the wanted key is, or where it could go.
struct Layout {
    std::optional<ValueSpan> value;
    // End of the last header or entry line of the first block of the wanted section.
    std::optional<qsizetype> sectionEnd;
    // Where a new section goes: the end of the text, unless the text ends in a "[" followed by
    // nothing but blanks, which would take the next line's text as its name.
    qsizetype newSectionAt = 0;
};

class Scanner {
public:
    explicit Scanner(QByteArrayView text) : text_(text) {}

    qsizetype ContentStart() const { return text_.startsWith(Utf8Bom) ? Utf8Bom.size() : 0; }

    Layout Locate(QByteArrayView section, QByteArrayView key) {
        Layout layout;
        layout.newSectionAt = text_.size();
        bool inSection = false;
        bool inFirstBlock = false;
        bool sectionSeen = false;
        pos_ = ContentStart();
        while (At(pos_)) {
            SkipBlanks();
            if (!At(pos_))
                break;
            if (IsCommentStart(At(pos_))) {
                SkipToLineEnd();
                continue;
            }
            if (At(pos_) == '[') {
                const qsizetype bracket = pos_;
                const std::optional<QByteArrayView> name = ReadSectionHeader();
                if (!name) {
                    // The parser still starts a section here, under a name that runs across the
                    // line break: one no caller can ask for, so what follows is out of reach.
                    inSection = inFirstBlock = false;
                    if (pos_ == text_.size() && OnlyBlanksBetween(bracket + 1, pos_))
                        layout.newSectionAt = LineStart(bracket);
                    continue;
                }
                inSection = EqualsIgnoringAsciiCase(*name, section);
                inFirstBlock = inSection && !sectionSeen;
                sectionSeen = sectionSeen || inSection;
                if (inFirstBlock)
                    layout.sectionEnd = pos_;
                continue;
            }
            if (const std::optional<KeyLine> line = ReadKeyLine()) {
                if (inSection && !layout.value && EqualsIgnoringAsciiCase(line->name, key))
                    layout.value = line->value;
                if (inFirstBlock)
                    layout.sectionEnd = pos_;
            }
        }
        return layout;
    }

    // The position after the line break that ends at lineEnd, or the end of the text.
    qsizetype NextLineStart(qsizetype lineEnd) const {
        if (lineEnd >= text_.size())
            return text_.size();
        return lineEnd + (At(lineEnd) == '\r' && At(lineEnd + 1) == '\n' ? 2 : 1);
    }

private:
    char At(qsizetype i) const { return i < text_.size() ? text_[i] : '\0'; }

    void SkipBlanks() {
        while (At(pos_) && IsBlank(At(pos_)))
            ++pos_;
    }

    void SkipToLineEnd() {
        while (At(pos_) && !IsLineBreak(At(pos_)))
            ++pos_;
    }

    // At a "[": the section name, or nothing when the line has no "]". Blanks after the "["
    // include line breaks, as in the parser.
    std::optional<QByteArrayView> ReadSectionHeader() {
        ++pos_;
        SkipBlanks();
        const qsizetype nameBegin = pos_;
        while (At(pos_) && At(pos_) != ']' && !IsLineBreak(At(pos_)))
            ++pos_;
        if (At(pos_) != ']')
            return std::nullopt;
        const QByteArrayView name = TrimmedEnd(nameBegin, pos_);
        SkipToLineEnd();
        return name;
    }

    // At a line's first character that is not blank: the entry, or nothing for a line without
    // "=" or with an empty name.
    std::optional<KeyLine> ReadKeyLine() {
        const qsizetype nameBegin = pos_;
        while (At(pos_) && At(pos_) != '=' && !IsLineBreak(At(pos_)))
            ++pos_;
        if (At(pos_) != '=')
            return std::nullopt;
        if (pos_ == nameBegin) {
            SkipToLineEnd();
            return std::nullopt;
        }
        const QByteArrayView name = TrimmedEnd(nameBegin, pos_);
        ++pos_;
        while (At(pos_) && !IsLineBreak(At(pos_)) && IsBlank(At(pos_)))
            ++pos_;
        const qsizetype valueBegin = pos_;
        SkipToLineEnd();
        return KeyLine{name, ValueSpan{valueBegin, valueBegin + TrimmedEnd(valueBegin, pos_).size()}};
    }

    QByteArrayView TrimmedEnd(qsizetype begin, qsizetype end) const {
        while (end > begin && IsBlank(text_[end - 1]))
            --end;
        return text_.sliced(begin, end - begin);
    }

    bool OnlyBlanksBetween(qsizetype begin, qsizetype end) const {
        for (qsizetype i = begin; i < end; ++i) {
            if (!IsBlank(text_[i]))
                return false;
        }
        return true;
    }

    qsizetype LineStart(qsizetype pos) const {
        while (pos > ContentStart() && !IsLineBreak(text_[pos - 1]))
            --pos;
        return pos;
    }

    QByteArrayView text_;
    qsizetype pos_ = 0;
};

bool HasBlankEnds(QByteArrayView name) { return IsBlank(name.front()) || IsBlank(name.back()); }

void RequireStorableNames(QByteArrayView section, QByteArrayView key) {
    const auto hasLineBreakOrNul = [](QByteArrayView name) {
        return name.contains('\r') || name.contains('\n') || name.contains('\0');
    };
    const bool sectionOk =
        !section.isEmpty() && !HasBlankEnds(section) && !hasLineBreakOrNul(section) && !section.contains(']');
    const bool keyOk = !key.isEmpty() && !HasBlankEnds(key) && !hasLineBreakOrNul(key) &&
                       !key.contains('=') && key.front() != '[' && !IsCommentStart(key.front());
    if (!sectionOk || !keyOk) {
        throw std::invalid_argument("settings name that cannot be stored: [" +
                                    section.toByteArray().toStdString() + "] " +
                                    key.toByteArray().toStdString());
    }
}

QByteArray SingleLine(QByteArrayView value) {
    QByteArray line = value.toByteArray();
    for (char& c : line) {
        if (IsLineBreak(c) || c == '\0')
            c = ' ';
    }
    return line;
}

} // namespace

QByteArray IniParseableText(const QByteArray& fileBytes) {
    QByteArray text = fileBytes;
    text.replace('\0', ' ');
    return text;
}

QByteArray IniTextWithValue(const QByteArray& fileBytes, QByteArrayView section, QByteArrayView key,
                            QByteArrayView value) {
    RequireStorableNames(section, key);
    const QByteArray text = IniParseableText(fileBytes);
    Scanner scanner(text);
    const Layout layout = scanner.Locate(section, key);
    QByteArray result = fileBytes;
    if (layout.value)
        return result.replace(layout.value->begin, layout.value->end - layout.value->begin,
                              SingleLine(value));

    // New lines follow the file's own line endings.
    const QByteArray lineBreak = text.contains("\r\n") ? "\r\n" : "\n";
    const QByteArray entry = key.toByteArray() + '=' + SingleLine(value) + lineBreak;
    if (layout.sectionEnd) {
        const qsizetype at = scanner.NextLineStart(*layout.sectionEnd);
        const bool lastLineUnended = *layout.sectionEnd == text.size();
        return result.insert(at, (lastLineUnended ? lineBreak : QByteArray()) + entry);
    }

    const qsizetype at = layout.newSectionAt;
    QByteArray block;
    if (at > scanner.ContentStart()) {
        if (!IsLineBreak(text[at - 1]))
            block += lineBreak;
        block += lineBreak; // a blank line between sections, for the human reader
    }
    block += '[' + section.toByteArray() + ']' + lineBreak + entry;
    return result.insert(at, block);
}

} // namespace stacklume
