#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace stacklume {

// The values of a settings file as it was read at one moment: one read and one parse answer any
// number of questions, however large the file.
//
// Section and key names are matched without regard to ASCII case; the first entry of the key in
// a section of that name counts; the value is cut to 2047 characters and trimmed of blanks and
// control characters. A missing or unreadable file, section or key gives the default (cut and
// trimmed the same way), silently.
class IniValues {
public:
    static constexpr qsizetype MaximumValueLength = 2047;

    // What a missing file holds.
    IniValues();
    ~IniValues();
    IniValues(IniValues&&) noexcept;
    IniValues& operator=(IniValues&&) noexcept;

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;

private:
    friend class IniFile;
    struct Parsed;
    std::unique_ptr<const Parsed> parsed_;
};

// One INI settings file, read and written like the classic private-profile calls. Nothing is
// cached: every read and every write opens the file afresh, so two objects on the same file (the
// main window and the bricks dialog) never undo each other's keys.
//
// Writing changes the values it sets and keeps every other byte of the file, whatever its size.
// The new file replaces the old one in a single rename, so a failed or interrupted write leaves
// the previous file whole. Only where the folder takes no new file but the file itself may be
// written is it written in place, as the one way left (see ReplaceFileContent for what a kill can
// leave then). A write that cannot be done throws IniWriteError; the file is then unchanged.
class IniFile {
public:
    struct Entry {
        QString Section;
        QString Key;
        QString Value;
    };

    explicit IniFile(QString filePath);

    const QString& FilePath() const { return filePath_; }

    // Reads the whole file once, for as many values as are wanted.
    IniValues Read() const;
    // One value, from a read of its own.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;

    // Sets every entry, in order, in a single read and a single write: all of them or, when the
    // write fails, none. Throws IniWriteError when the file cannot be read whole or replaced, and
    // std::invalid_argument for a name that could not be read back (see IniTextWithValue).
    void WriteStrings(const std::vector<Entry>& entries);
    void WriteString(const QString& section, const QString& key, const QString& value);

private:
    QString filePath_;
};

} // namespace stacklume
