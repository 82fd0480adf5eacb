#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace stacklume::fuzz {

namespace {

QString ScratchBase() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
}

// Printable ASCII as it is, everything else as \u{code point}.
std::string Escaped(const QString& text) {
    std::string escaped;
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c < 0x7F && c != '\\')
            escaped += char(c);
        else
            escaped += "\\u{" + QString::number(c, 16).toStdString() + "}";
    }
    return escaped;
}

} // namespace

const QString& ScratchFolder() {
    static const QTemporaryDir folder(ScratchBase() + QStringLiteral("/stacklume-fuzz-XXXXXX"));
    static const QString path = folder.path();
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot create a scratch folder: %s\n", qPrintable(folder.errorString()));
        std::abort();
    }
    return path;
}

QString WriteScratchFile(const QString& name, const QByteArray& bytes) {
    const QString path = ScratchFolder() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        std::abort();
    }
    return path;
}

void Require(bool condition, std::string_view what) {
    if (condition)
        return;
    std::fprintf(stderr, "broken invariant: %.*s\n", int(what.size()), what.data());
    std::abort();
}

void RequireSame(const QString& actual, const QString& expected, std::string_view what) {
    if (actual == expected)
        return;
    std::fprintf(stderr, "got      \"%s\"\nexpected \"%s\"\n", Escaped(actual).c_str(),
                 Escaped(expected).c_str());
    Require(false, what);
}

} // namespace stacklume::fuzz
