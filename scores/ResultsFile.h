#pragma once

#include <QString>
#include <QStringList>

namespace stacklume {

// What reading the results file gave: its lines, or why there are none.
struct ResultsReading {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Failed;
    QStringList lines;
    QString problem; // the message to show when the file could not be read
};

// The text file of best-score lines: one line per record, CR LF after each, in the system's
// encoding. Writes replace the whole file atomically; only where the folder takes no new file but
// the file itself may be written is it written in place, as the one way left (see
// ReplaceFileContent for what a kill can leave then).
class ResultsFile {
public:
    explicit ResultsFile(QString path);

    const QString& Path() const { return path_; }
    // Reads the whole file, whatever its size; splits at CR LF, LF or CR; a final line break does
    // not make an empty last line. Anything but a regular file (a FIFO, a device) fails to read
    // without being opened.
    ResultsReading Read() const;
    // Throws ResultsFileError when the platform refuses; the previous file is then left whole.
    void Write(const QStringList& lines) const;

private:
    QString path_;
};

} // namespace stacklume
