#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace stacklume {

// A sound file that cannot be opened or read at start-up. The message is the game's own
// file-open error: the file's path, then the system's reason.
class SoundFileError : public std::runtime_error {
public:
    SoundFileError(const std::filesystem::path& file, const std::string& reason)
        : std::runtime_error("Impossible d'ouvrir le fichier \"" + file.string() + "\". " + reason) {}
};

} // namespace stacklume
