#include "FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stacklume {
namespace {

QByteArray NativeName(const QString& path) { return QFile::encodeName(path); }

// A descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int number) : number_(number) {}
    ~Descriptor() {
        if (number_ >= 0)
            ::close(number_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Number() const { return number_; }

private:
    int number_;
};

// Reads the whole file into `bytes`; false with errno set when a read fails.
bool ReadWhole(int file, QByteArray& bytes) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::pread(file, buffer, sizeof buffer, bytes.size());
        if (got == 0)
            return true;
        if (got > 0)
            bytes.append(buffer, got);
        else if (errno != EINTR)
            return false;
    }
}

// Writes `bytes` from the start of the file; `written` says how far it got. False with errno set
// when a write fails.
bool WriteFromStart(int file, QByteArrayView bytes, qsizetype& written) {
    written = 0;
    while (written < bytes.size()) {
        const ssize_t put =
            ::pwrite(file, bytes.data() + written, static_cast<size_t>(bytes.size() - written),
                     static_cast<off_t>(written));
        if (put > 0)
            written += put;
        else if (put == 0)
            errno = EIO; // no progress: do not loop for ever
        if (put <= 0 && errno != EINTR)
            return false;
    }
    return true;
}

// Undoes an in-place write that failed: the old bytes where new ones went, the old length.
// Nothing can be done when this fails too, and the failure being undone is what gets reported.
void PutBack(int file, const QByteArray& old, qsizetype overwritten) {
    qsizetype restored = 0;
    const bool rewritten =
        WriteFromStart(file, QByteArrayView(old).first(std::min(overwritten, old.size())), restored);
    // A failed reservation may have grown the file.
    if (::ftruncate(file, static_cast<off_t>(old.size())) == 0 && rewritten)
        ::fdatasync(file);
}

std::optional<QString> WriteInPlace(const QString& path, const QByteArray& content) {
    const Descriptor file(::open(NativeName(path).constData(), O_RDWR | O_CLOEXEC));
    struct stat status {};
    if (file.Number() < 0 || ::fstat(file.Number(), &status) != 0)
        return qt_error_string(errno);
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("not a regular file");
    QByteArray old;
    if (!ReadWhole(file.Number(), old))
        return qt_error_string(errno);

    qsizetype written = 0;
    const auto undone = [&](int error) {
        PutBack(file.Number(), old, written);
        return qt_error_string(error);
    };
    if (content.size() > old.size()) {
        // posix_fallocate returns its error rather than setting errno.
        if (const int error = ::posix_fallocate(file.Number(), 0, static_cast<off_t>(content.size())))
            return undone(error);
    }
    if (!WriteFromStart(file.Number(), content, written))
        return undone(errno);
    if (content.size() < old.size() && ::ftruncate(file.Number(), static_cast<off_t>(content.size())) != 0)
        return undone(errno);
    if (::fdatasync(file.Number()) != 0)
        return undone(errno);
    return std::nullopt;
}

// Where no new file can be made beside it (an installed, read-only folder), a file the player may
// still write is written in place.
bool OnlyWritableInPlace(const QString& path) {
    const QFileInfo file(path);
    return file.isFile() && ::access(NativeName(file.absolutePath()).constData(), W_OK | X_OK) != 0 &&
           ::access(NativeName(path).constData(), R_OK | W_OK) == 0;
}

} // namespace

std::optional<QString> ReplaceFileContent(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // A link is written where it leads, as the replacement would have been.
        const QString target = QFileInfo(path).canonicalFilePath();
        if (!target.isEmpty() && OnlyWritableInPlace(target))
            return WriteInPlace(target, content);
        return file.errorString();
    }
    // commit() misses an error while flushing what is still buffered (a disk that fills up) and
    // would put a cut file in place of the whole one: flush first.
    if (file.write(content) != content.size() || !file.flush() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace stacklume
