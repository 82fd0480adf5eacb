#include "IniWriteError.h"

#include <QDir>

namespace stacklume {

IniWriteError::IniWriteError(const QString& filePath)
    : std::runtime_error(QStringLiteral("Impossible d'écrire dans %1")
                             .arg(QDir::toNativeSeparators(filePath))
                             .toStdString()) {}

} // namespace stacklume
