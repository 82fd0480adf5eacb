#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stacklume {

// Bytes held in an unnamed file in memory, sealed so that nothing can change them, for a library
// that takes a file name: Path() names it for as long as this object lives. What becomes of the
// file the bytes came from is then no matter. Without a file (the system refused one, or no
// bytes were given) Path() is empty.
class MemoryFile {
public:
    MemoryFile(const std::string& name, const std::vector<std::uint8_t>& bytes);
    ~MemoryFile();
    MemoryFile(MemoryFile&& other) noexcept;
    MemoryFile& operator=(MemoryFile&&) = delete;
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // /proc/self/fd/N: opening it opens a new reader of the same bytes, from the start.
    const std::string& Path() const { return path_; }

private:
    int descriptor_ = -1;
    std::string path_;
};

} // namespace stacklume
