#pragma once

#include <QString>

#include <stdexcept>

namespace stacklume {

// A picture that cannot be read or decoded. The message names the file and says what is wrong,
// in UTF-8, ready for the error box; the caller may go on without the picture.
class JpegError : public std::runtime_error {
public:
    explicit JpegError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace stacklume
