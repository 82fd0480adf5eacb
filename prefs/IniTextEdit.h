#pragma once

// Editing the text of a settings file in place. The file may have been edited by hand or be
// damaged, so a change touches only the bytes of the one value it sets (or adds one line, or one
// section at the end) and keeps every other byte: comments, unknown keys, their order, line
// endings, even lines the parser cannot make sense of.

#include <QByteArray>
#include <QByteArrayView>

namespace stacklume {

// The file's bytes as the parser is given them: a NUL byte would end its reading early and hide
// the rest of the file, so each one is read as a blank instead. Offsets are unchanged.
QByteArray IniParseableText(const QByteArray& fileBytes);

// fileBytes with key `key` of section `section` set to `value`. The line changed is the one the
// reader takes (the first key line of that name in a section of that name, names matched without
// regard to ASCII case); a missing key is added after the last entry of the section's first
// block, a missing section at the end of the file, written with the name exactly as given.
// Line breaks and NUL bytes in the value become blanks, as a value is one line. Throws
// std::invalid_argument for a name that could not be read back (empty, with a line break, with
// leading or trailing blanks, a section name with "]", a key name with "=" or starting like a
// section or a comment).
QByteArray IniTextWithValue(const QByteArray& fileBytes, QByteArrayView section, QByteArrayView key,
                            QByteArrayView value);

} // namespace stacklume
