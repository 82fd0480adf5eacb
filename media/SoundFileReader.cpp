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
        const int error = errno;
        bytes.resize(used + static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
        if (count < 0 && error == EINTR)
            continue;
        // Only a pipe or a device can have no data yet; what it gave so far is the file.
        if (count < 0 && (error == EAGAIN || error == EWOULDBLOCK))
            return bytes;
        if (count < 0)
            throw SoundFileError(file, std::strerror(error));
        if (count == 0)
            return bytes;
        if (bytes.size() > maxBytes)
            return {};
    }
}

} // namespace stacklume
