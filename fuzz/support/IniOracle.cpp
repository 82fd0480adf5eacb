#include "IniOracle.h"

#include "IniTextEdit.h"

#include <QStringDecoder>

#include <SimpleIni.h>

namespace stacklume::fuzz {

namespace {

bool IsBlankOrControl(QChar c) { return c.unicode() <= 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F); }

// UTF-8 as it stands: unlike QString::fromUtf8, an initial byte order mark is kept as U+FEFF.
QString DecodedUtf8(const char* bytes) {
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)
        .decode(QByteArrayView(bytes));
}

} // namespace

std::vector<IniName> IniNamesIn(const QByteArray& fileBytes, std::size_t limit) {
    const QByteArray text = IniParseableText(fileBytes);
    CSimpleIniA ini(false, true, false);
    std::vector<IniName> names;
    if (ini.LoadData(text.constData(), static_cast<size_t>(text.size())) < 0)
        return names;
    // A name that is no valid UTF-8 cannot be asked for: callers pass Unicode names.
    const auto spellable = [](const char* name) {
        return DecodedUtf8(name).toUtf8() == QByteArrayView(name);
    };
    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& section : sections) {
        if (!spellable(section.pItem))
            continue;
        CSimpleIniA::TNamesDepend keys;
        ini.GetAllKeys(section.pItem, keys);
        keys.sort(CSimpleIniA::Entry::LoadOrder());
        for (const auto& key : keys) {
            if (names.size() == limit)
                return names;
            if (spellable(key.pItem))
                names.emplace_back(DecodedUtf8(section.pItem), DecodedUtf8(key.pItem));
        }
    }
    return names;
}

QString ValueAsRead(const QString& value) {
    // The parser has skipped the spaces and tabs after "=" before the value is cut.
    qsizetype start = 0;
    while (start < value.size() && (value[start] == QLatin1Char(' ') || value[start] == QLatin1Char('\t')))
        ++start;
    qsizetype end = start;
    for (int characters = 0; end < value.size() && characters < 2047; ++characters)
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
