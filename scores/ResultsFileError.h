#pragma once

#include <QString>

#include <stdexcept>

namespace stacklume {

// A results file that cannot be read or written. what() is UTF-8.
class ResultsFileError : public std::runtime_error {
public:
    explicit ResultsFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace stacklume
