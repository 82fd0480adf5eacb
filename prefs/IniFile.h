#pragma once

#include <QString>

namespace stacklume {

// One INI settings file, read and written key by key like the classic private-profile calls.
// Nothing is cached: every read and every write opens the file afresh, so two objects on the
// same file (the main window and the bricks dialog) never undo each other's keys.
//
// Reading: section and key names are matched without regard to ASCII case; the first entry of
// the key in a section of that name counts; the value is cut to 2047 characters and trimmed of
// blanks and control characters. A missing or unreadable file, section or key gives the default
// (cut and trimmed the same way), silently. A file larger than MaximumFileSize is not ours and
// reads as missing.
//
// Writing changes one value and keeps every other byte of the file; the new file replaces the
// old one in a single rename, so a failed or interrupted write leaves the previous file whole.
// A write that cannot be done throws IniWriteError; the file is then unchanged.
class IniFile {
public:
    static constexpr qsizetype MaximumValueLength = 2047;
    // Every read parses the whole file: at 16 MB the start-up's dozen reads took twenty seconds.
    static constexpr qint64 MaximumFileSize = 1024 * 1024;

    explicit IniFile(QString filePath);

    const QString& FilePath() const { return filePath_; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;

    // Throws IniWriteError when the file cannot be read whole or replaced, and
    // std::invalid_argument for a name that could not be read back (see IniTextWithValue).
    void WriteString(const QString& section, const QString& key, const QString& value);

private:
    QString filePath_;
};

} // namespace stacklume
