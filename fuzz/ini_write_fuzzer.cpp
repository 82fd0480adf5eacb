// Writing one key into arbitrary settings-file bytes: afterwards the file holds that key as
// written, by the format's rules, and the reader gives it back so; every other key the file held
// keeps its value, no key appears but the one written, and the bytes change in one place only,
// removing at most the old value.

#include "FuzzSupport.h"
#include "IniFile.h"
#include "IniOracle.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>

using namespace stacklume;
using namespace stacklume::fuzz;

namespace {

constexpr std::size_t NamesChecked = 24;

QString Utf8(const std::string& bytes) { return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())); }

// Mostly names the file or the game already has, so that writes replace values as often as they
// add them; sometimes anything at all.
struct NameChoice {
    enum class From { Game, File, Input } from;
    std::size_t index;
    IniName typed;
};

NameChoice ConsumeNameChoice(FuzzedDataProvider& input) {
    NameChoice choice{};
    choice.from = static_cast<NameChoice::From>(input.ConsumeIntegralInRange(0, 2));
    choice.index = input.ConsumeIntegral<std::uint16_t>();
    if (choice.from == NameChoice::From::Input) {
        const QString section = Utf8(input.ConsumeRandomLengthString(32));
        choice.typed = {section, Utf8(input.ConsumeRandomLengthString(32))};
    }
    return choice;
}

IniName ChosenName(const NameChoice& choice, const std::vector<IniName>& inFile) {
    if (choice.from == NameChoice::From::File && !inFile.empty())
        return inFile[choice.index % inFile.size()];
    if (choice.from == NameChoice::From::Input)
        return choice.typed;
    return GameIniNames[choice.index % GameIniNames.size()];
}

// A value is one line: the writer turns line breaks and NUL into blanks.
QString AsOneLine(QString value) {
    for (QChar& c : value)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            c = QLatin1Char(' ');
    return value;
}

bool SameName(const IniName& a, const IniName& b) {
    // The parser matches names without regard to ASCII case only.
    const auto equal = [](const QString& x, const QString& y) {
        if (x.size() != y.size())
            return false;
        for (qsizetype i = 0; i < x.size(); ++i) {
            const auto lower = [](QChar c) {
                return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + 32) : c;
            };
            if (lower(x[i]) != lower(y[i]))
                return false;
        }
        return true;
    };
    return equal(a.first, b.first) && equal(a.second, b.second);
}

// The part of `before` that `after` replaced, between their longest common prefix and suffix.
QByteArray ReplacedPart(const QByteArray& before, const QByteArray& after) {
    const qsizetype common = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < common && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (prefix + suffix < common && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return before.sliced(prefix, before.size() - prefix - suffix);
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    Require(file.open(QIODevice::ReadOnly), "the settings file is still there");
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const NameChoice choice = ConsumeNameChoice(input);
    const QString value = Utf8(input.ConsumeRandomLengthString(3000));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray before(rest.data(), qsizetype(rest.size()));

    const std::vector<IniEntry> entriesBefore = IniEntriesIn(before);
    const std::vector<IniName> namesBefore = IniNamesIn(entriesBefore, NamesChecked);
    const IniName written = ChosenName(choice, namesBefore);
    const auto valueBefore = [&](const IniName& name) {
        return IniValueOf(entriesBefore, name).value_or(AbsentMarker());
    };

    const QString path = WriteScratchFile(QStringLiteral("stacklume.ini"), before);
    IniFile ini(path);
    try {
        ini.WriteString(written.first, written.second, value);
    } catch (const std::invalid_argument&) {
        Require(FileBytes(path) == before, "a refused name leaves the file as it was");
        return 0; // a name the file could not give back
    }

    const QByteArray after = FileBytes(path);
    const std::vector<IniEntry> entriesAfter = IniEntriesIn(after);
    const auto valueAfter = [&](const IniName& name) {
        return IniValueOf(entriesAfter, name).value_or(AbsentMarker());
    };
    RequireSame(valueAfter(written), ValueAsRead(AsOneLine(value)), "the file holds the key as written");
    RequireSame(ini.ReadString(written.first, written.second, AbsentMarker()), valueAfter(written),
                "the key written reads back as the file holds it");
    for (const IniName& name : namesBefore)
        if (!SameName(name, written))
            RequireSame(valueAfter(name), valueBefore(name), "every other key keeps its value");
    for (const IniName& name : IniNamesIn(entriesAfter, std::numeric_limits<std::size_t>::max()))
        Require(SameName(name, written) || valueBefore(name) != AbsentMarker(),
                "no key appears but the one written");
    // A changed value is replaced within its line; a new key or section only adds bytes.
    const QByteArray replaced = ReplacedPart(before, after);
    Require(!replaced.contains('\r') && !replaced.contains('\n'), "the write removes no line break");
    Require(valueBefore(written) != AbsentMarker() || replaced.isEmpty(), "adding a key removes nothing");
    return 0;
}
