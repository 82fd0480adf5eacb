#include "MemoryFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace stacklume {

namespace {

bool WriteAll(int descriptor, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace

MemoryFile::MemoryFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty())
        return;
    descriptor_ = ::memfd_create(name.c_str(), MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (descriptor_ < 0)
        return;
    if (!WriteAll(descriptor_, bytes) ||
        ::fcntl(descriptor_, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) != 0) {
        ::close(std::exchange(descriptor_, -1));
        return;
    }
    path_ = "/proc/self/fd/" + std::to_string(descriptor_);
}

MemoryFile::~MemoryFile() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

MemoryFile::MemoryFile(MemoryFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_)) {
    other.path_.clear();
}

} // namespace stacklume
