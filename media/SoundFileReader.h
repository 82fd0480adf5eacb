#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace stacklume {

// Reads a whole sound file into memory. A file that cannot be opened or read raises
// SoundFileError. A file larger than maxBytes is not a sound effect: it gives an empty buffer,
// which never plays. Special files cannot stall the read: an endless one (/dev/zero) stops at
// the limit and a pipe without data reads as empty.
std::vector<std::uint8_t> ReadSoundFile(const std::filesystem::path& file, std::size_t maxBytes);

} // namespace stacklume
