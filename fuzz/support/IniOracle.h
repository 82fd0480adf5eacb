#pragma once

// What the INI targets judge the settings file by: a small reference of the format, read from its
// bytes by the rules below, which the game's reader promises to follow. It shares no code with
// that reader or with the parser under it.

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace stacklume::fuzz {

using IniName = std::pair<QString, QString>; // section, key

// The names the game reads and writes.
extern const std::array<IniName, 8> GameIniNames;

// One entry of the file: its names and value as the line holds them.
struct IniEntry {
    std::optional<QByteArray> section; // none: under a header without "]", out of any caller's reach
    QByteArray key;
    QByteArray value; // after the "=", less blanks at its end
};

// The entries in the order they come, from a file of any size. A UTF-8 byte order mark that
// starts the file is skipped and a NUL byte reads as a blank. Lines end at CR, LF or CR LF, and
// blanks (space, tab, line breaks) before a line's first character are skipped. A line starting
// with ";" or "#" is a comment. A "[" starts a section header: the blanks after it are skipped,
// line breaks included, and the name runs to the first "]" on its line, less blanks at its end;
// the rest of that line is ignored. Any other line with a "=" after its first character is an
// entry: its key before the "=" and its value after it, each less blanks at its end. Other lines
// are ignored. Entries before any header belong to the section with no name.
std::vector<IniEntry> IniEntriesIn(const QByteArray& fileBytes);

// The names of the entries that a caller can ask for, each once, in the order they first come:
// both are UTF-8, and the section has a name. At most `limit` of them.
std::vector<IniName> IniNamesIn(const std::vector<IniEntry>& entries, std::size_t limit);

// What the reader must give for the name: the value of the first entry whose section and key
// match it without regard to ASCII case, decoded from UTF-8 (an invalid byte reads as U+FFFD, an
// incomplete sequence at the very end is dropped, a byte order mark that starts it is kept) and
// as ValueAsRead makes it; nothing when none does.
std::optional<QString> IniValueOf(const std::vector<IniEntry>& entries, const IniName& name);

// A value as the reader must hand it back: without the spaces and tabs it begins with, at most 2047
// characters (a surrogate pair counts as one), then without blanks and control characters at
// either end.
QString ValueAsRead(const QString& value);

// A default no file can produce: a lone surrogate never comes out of decoding UTF-8 and is
// neither a blank nor a control character, so it survives trimming.
QString AbsentMarker();

} // namespace stacklume::fuzz
