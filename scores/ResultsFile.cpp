#include "ResultsFile.h"
#include "FileReplacement.h"
#include "ResultsFileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace stacklume {
namespace {

QString NativePath(const QString& path) { return QDir::toNativeSeparators(path); }

QStringList SplitLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast(); // what follows the final line break
    return lines;
}

} // namespace

ResultsFile::ResultsFile(QString path) : path_(std::move(path)) {}

ResultsReading ResultsFile::Read() const {
    ResultsReading reading;
    const QFileInfo info(path_);
    // Opening a FIFO would wait for a writer and a device may never end, so only a regular file
    // is read (a folder is left to the open, which refuses it).
    if (info.exists() && !info.isFile() && !info.isDir()) {
        reading.problem = QStringLiteral("Impossible d'ouvrir le fichier \"%1\". not a regular file")
                              .arg(NativePath(path_));
        return reading;
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        reading.status =
            QFileInfo::exists(path_) ? ResultsReading::Status::Failed : ResultsReading::Status::Missing;
        reading.problem = QStringLiteral("Impossible d'ouvrir le fichier \"%1\". %2")
                              .arg(NativePath(path_), file.errorString());
        return reading;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reading.problem = QStringLiteral("Impossible de lire le fichier \"%1\". %2")
                              .arg(NativePath(path_), file.errorString());
        return reading;
    }
    reading.status = ResultsReading::Status::Read;
    reading.lines = SplitLines(QString::fromLocal8Bit(bytes));
    return reading;
}

void ResultsFile::Write(const QStringList& lines) const {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLocal8Bit() + "\r\n";
    if (const std::optional<QString> failure = ReplaceFileContent(path_, bytes))
        throw ResultsFileError(
            QStringLiteral("Impossible de créer le fichier \"%1\". %2").arg(NativePath(path_), *failure));
}

} // namespace stacklume
