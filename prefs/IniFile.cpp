#include "IniFile.h"

#include "FileReplacement.h"
#include "IniTextEdit.h"
#include "IniWriteError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <SimpleIni.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace stacklume {

namespace {

// The whole file, or nothing when it is missing, not a regular file or unreadable.
std::optional<QByteArray> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// The end of the first maxCharacters characters, never splitting a surrogate pair.
qsizetype CharactersEnd(const QString& text, qsizetype maxCharacters) {
    qsizetype end = 0;
    for (qsizetype count = 0; end < text.size() && count < maxCharacters; ++count) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return end;
}

bool IsBlankOrControl(QChar c) { return c.unicode() <= 0x20 || c.category() == QChar::Other_Control; }

// What the caller gets: the value as a 2048-byte buffer of the classic call would hold it, then
// trimmed the way the game has always trimmed what it read.
QString CutAndTrimmed(QString value) {
    value.truncate(CharactersEnd(value, IniValues::MaximumValueLength));
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && IsBlankOrControl(value[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(value[end - 1]))
        --end;
    return value.sliced(begin, end - begin);
}

} // namespace

struct IniValues::Parsed {
    // Multi-key mode keeps every entry of a repeated key, so the first one in the file can be
    // taken, as the writer changes that one.
    CSimpleIniA ini{false, true, false};
};

IniValues::IniValues() = default;
IniValues::~IniValues() = default;
IniValues::IniValues(IniValues&&) noexcept = default;
IniValues& IniValues::operator=(IniValues&&) noexcept = default;

QString IniValues::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
    if (!parsed_)
        return CutAndTrimmed(defaultValue);
    CSimpleIniA::TNamesDepend values;
    parsed_->ini.GetAllValues(section.toUtf8().constData(), key.toUtf8().constData(), values);
    if (values.empty())
        return CutAndTrimmed(defaultValue);
    const auto first = std::min_element(values.begin(), values.end(), CSimpleIniA::Entry::LoadOrder());
    // Not QString::fromUtf8, which drops a U+FEFF at the start: a value beginning with one must
    // read back as it was written.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return CutAndTrimmed(decoder.decode(QByteArrayView(first->pItem)));
}

IniFile::IniFile(QString filePath) : filePath_(std::move(filePath)) {}

IniValues IniFile::Read() const {
    IniValues values;
    const std::optional<QByteArray> bytes = ReadWholeFile(filePath_);
    if (!bytes)
        return values;
    const QByteArray text = IniParseableText(*bytes);
    auto parsed = std::make_unique<IniValues::Parsed>();
    if (parsed->ini.LoadData(text.constData(), static_cast<size_t>(text.size())) >= 0)
        values.parsed_ = std::move(parsed);
    return values;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
    return Read().ReadString(section, key, defaultValue);
}

void IniFile::WriteStrings(const std::vector<Entry>& entries) {
    // Read afresh: another owner may have written other keys since we last looked. A file that
    // exists but cannot be read whole is not replaced, or its content would be lost.
    QByteArray text;
    if (QFileInfo::exists(filePath_)) {
        std::optional<QByteArray> bytes = ReadWholeFile(filePath_);
        if (!bytes)
            throw IniWriteError(filePath_);
        text = std::move(*bytes);
    }
    for (const Entry& entry : entries)
        text = IniTextWithValue(text, entry.Section.toUtf8(), entry.Key.toUtf8(), entry.Value.toUtf8());
    if (ReplaceFileContent(filePath_, text))
        throw IniWriteError(filePath_);
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    WriteStrings({{section, key, value}});
}

} // namespace stacklume
