#pragma once

// What the INI targets compare the settings file's reader against.

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace stacklume::fuzz {

using IniName = std::pair<QString, QString>; // section, key

// The section and key names the settings parser finds in the file, at most `limit` of them, in
// the order they come. Names are what a caller would pass: decoded from UTF-8.
std::vector<IniName> IniNamesIn(const QByteArray& fileBytes, std::size_t limit);

// A value as the reader must hand it back: without the spaces and tabs it begins with, at most
// 2047 characters (a surrogate pair counts as one), then without blanks and control characters at
// either end.
QString ValueAsRead(const QString& value);

// A default no file can produce: a lone surrogate never comes out of decoding UTF-8 and is
// neither a blank nor a control character, so it survives trimming.
QString AbsentMarker();

} // namespace stacklume::fuzz
