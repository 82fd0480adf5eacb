#pragma once

#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstddef>

#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toPercentEncoding(" []=;#").toStdString() << '"';
}

namespace stacklume {

// The bytes of a literal, NUL bytes included.
template <std::size_t N> QByteArray Raw(const char (&text)[N]) { return QByteArray(text, N - 1); }

// A fresh program folder per test, with the settings file's bytes at hand.
class SettingsFolder : public ::testing::Test {
protected:
    void Given(const QByteArray& bytes) {
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray Bytes() const {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    QTemporaryDir folder_;
    QString path_ = folder_.filePath(QStringLiteral("stacklume.ini"));
    IniFile ini_{path_};
};

} // namespace stacklume
