#include "SoundFileReader.h"

#include "SoundFileError.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace stacklume {

namespace {

// Closes the descriptor however the read ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() { ::close(descriptor_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return descriptor_; }

private:
    int descriptor_;
};

} // namespace

std::vector<std::uint8_t> ReadSoundFile(const std::filesystem::path& file, std::size_t maxBytes) {
    // Non-blocking, so that opening a pipe without a writer cannot hang the start-up.
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        throw SoundFileError(file, std::strerror(errno));
    const FileDescriptor guard(descriptor);

    std::vector<std::uint8_t> bytes;
    constexpr std::size_t chunkSize = 64 * 1024;
    for (;;) {
        const std::size_t used = bytes.size();
        const std::size_t wanted = std::min(chunkSize, maxBytes + 1 - used);
        bytes.resize(used + wanted);
        const ssize_t count = ::read(guard.Get(), bytes.data() + used, wanted);
        if (count < 0 && errno == EINTR) {
            bytes.resize(used);
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            bytes.resize(used);
            return bytes;
        }
        if (count < 0)
            throw SoundFileError(file, std::strerror(errno));
        bytes.resize(used + static_cast<std::size_t>(count));
        if (count == 0)
            return bytes;
        if (bytes.size() > maxBytes)
            return {};
    }
}

} // namespace stacklume
