#pragma once

#include <QString>

#include <stdexcept>

namespace stacklume {

// The settings file could not be written. Like every failure of the program it travels as an
// exception up to the application object, which shows what() in the standard error box.
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const QString& filePath);
};

} // namespace stacklume
