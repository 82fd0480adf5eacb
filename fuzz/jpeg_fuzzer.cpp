// Background pictures on arbitrary file bytes: the decoder either gives a whole picture within its
// limits or throws JpegError, never allocates beyond what its limits allow, and never hangs. A
// picture cut short never gives a picture of its own: either the whole picture (only what follows
// it was cut) or an error.
// The limits are tighter than the game's, so that a run stays fast and an allocation the limits
// do not govern stands out.

#include "FuzzSupport.h"
#include "JpegDecoder.h"
#include "JpegError.h"

#include <sanitizer/allocator_interface.h>

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>

using namespace stacklume;
using namespace stacklume::fuzz;

namespace {

const JpegLimits Limits{.MaxSide = 4000,
                        .MaxPixels = 4'000'000,
                        .MaxDecoderMemory = 16L * 1024 * 1024,
                        .MaxScans = 100,
                        .MaxFileBytes = 1024 * 1024};

// The picture itself, libjpeg's whole-picture buffers, and room for its per-row buffers, tables
// and the open file.
constexpr std::int64_t AllowedBytes = 4 * 4'000'000 + 16LL * 1024 * 1024 + 8LL * 1024 * 1024;

// The size of the well at its smallest, which the game stretches pictures to.
const QSize WellSize{264, 440};

// Bytes allocated and not yet freed while a decode runs, and the most there were.
std::atomic<bool> counting{false};
std::atomic<std::int64_t> liveBytes{0};
std::atomic<std::int64_t> peakBytes{0};

void OnAllocate(const volatile void*, std::size_t size) {
    if (!counting.load(std::memory_order_relaxed))
        return;
    const std::int64_t live =
        liveBytes.fetch_add(std::int64_t(size), std::memory_order_relaxed) + std::int64_t(size);
    std::int64_t peak = peakBytes.load(std::memory_order_relaxed);
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
    }
}

void OnFree(const volatile void* pointer) {
    if (counting.load(std::memory_order_relaxed))
        liveBytes.fetch_sub(std::int64_t(__sanitizer_get_allocated_size(pointer)), std::memory_order_relaxed);
}

// The picture decoded, or nothing when the file was refused.
std::optional<QImage> Decode(const QString& path, QSize cover) {
    liveBytes = 0;
    peakBytes = 0;
    counting = true;
    std::optional<QImage> decoded;
    try {
        const QImage picture = DecodeJpeg(path, cover, Limits);
        counting = false;
        Require(!picture.isNull() && picture.format() == QImage::Format_RGB32,
                "a decoded picture is opaque RGB");
        Require(picture.width() <= Limits.MaxSide && picture.height() <= Limits.MaxSide &&
                    std::int64_t(picture.width()) * picture.height() <= Limits.MaxPixels,
                "a decoded picture is within the limits");
        decoded = picture;
    } catch (const JpegError&) {
        counting = false; // a picture that cannot be decoded, as designed
    }
    Require(peakBytes <= AllowedBytes, "the decoder stays within its memory limits");
    return decoded;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = WriteScratchFile(QStringLiteral("picture.jpg"), bytes);
    const std::optional<QImage> full = Decode(path, QSize());
    const std::optional<QImage> scaled = Decode(path, WellSize);
    if (full && scaled) {
        const QSize whole = full->size();
        const QSize cut = scaled->size();
        const bool covers = cut.width() >= WellSize.width() && cut.height() >= WellSize.height();
        Require(cut.width() <= whole.width() && cut.height() <= whole.height(),
                "a picture is never decoded larger than it is");
        Require(covers || cut == whole, "a scaled picture still covers the well, or is the whole picture");
    }

    const QString shortened =
        WriteScratchFile(QStringLiteral("shortened.jpg"), bytes.left(bytes.size() * 3 / 4));
    const std::optional<QImage> shortPicture = Decode(shortened, QSize());
    // What follows a complete picture may make the whole file unreadable (a second frame, say),
    // so only a file that decodes says what its beginning must give.
    Require(!full || !shortPicture || shortPicture == full,
            "a file cut short gives the whole picture or none");
    return 0;
}
