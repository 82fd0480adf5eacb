#include "JpegDecoder.h"

#include "JpegError.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// After <cstdio>: jpeglib.h needs FILE declared.
#include <jerror.h>
#include <jpeglib.h>

namespace stacklume {
namespace {

// Damaged data that libjpeg papers over is tolerated up to this many warnings: some cameras
// write slightly broken files that every viewer shows, but a flood means garbage.
constexpr int MaxWarnings = 100;

// Opaque pixels in the byte order of QImage::Format_RGB32; libjpeg sets the fourth byte to 0xFF.
constexpr J_COLOR_SPACE Rgb32ColorSpace =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;

enum class StopReason { LibraryError, Truncated, TooManyScans, TooManyWarnings };

// Shared with libjpeg's callbacks. Plain data, so that the jump out of the library that ends a
// failed decode skips no destructor.
struct DecodeGuard {
    jpeg_error_mgr Errors;
    jpeg_progress_mgr Progress;
    std::jmp_buf Jump;
    StopReason Reason;
    int MessageCode;
    char Message[JMSG_LENGTH_MAX];
    int MaxScans;
    int Warnings;
    bool MultiScan;
    bool Arithmetic;
    bool EndOfFile;
    bool AllRowsRead;
};

DecodeGuard& GuardOf(j_common_ptr info) { return *static_cast<DecodeGuard*>(info->client_data); }

[[noreturn]] void StopDecoding(j_common_ptr info, StopReason reason) {
    DecodeGuard& guard = GuardOf(info);
    guard.Reason = reason;
    guard.MessageCode = info->err->msg_code;
    (*info->err->format_message)(info, guard.Message);
    std::longjmp(guard.Jump, 1);
}

// libjpeg's own handler would end the process.
void OnError(j_common_ptr info) {
    StopDecoding(info, GuardOf(info).EndOfFile ? StopReason::Truncated : StopReason::LibraryError);
}

void OnMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return; // trace messages
    DecodeGuard& guard = GuardOf(info);
    if (!guard.AllRowsRead) {
        // At the end of the file libjpeg makes up an end marker and warns. That is harmless when
        // only the marker was missing; any further complaint, or scans still to come, means
        // that picture data is missing and would show as grey. The arithmetic decoder fills
        // missing data in without a complaint, so for it the end of the file is enough. A marker
        // met where the data of a scan should go on (a file cut short and ended again) means the
        // same, whatever follows.
        const bool endOfFile = info->err->msg_code == JWRN_JPEG_EOF;
        const bool dataCut = info->err->msg_code == JWRN_HIT_MARKER;
        if (guard.EndOfFile || dataCut || (endOfFile && (guard.MultiScan || guard.Arithmetic)))
            StopDecoding(info, StopReason::Truncated);
        guard.EndOfFile = endOfFile;
    }
    if (++guard.Warnings > MaxWarnings)
        StopDecoding(info, StopReason::TooManyWarnings);
}

// Every progressive scan costs a pass over the whole picture, so their number is bounded.
void OnProgress(j_common_ptr info) {
    const auto* decompression = reinterpret_cast<j_decompress_ptr>(info);
    if (decompression->input_scan_number > GuardOf(info).MaxScans)
        StopDecoding(info, StopReason::TooManyScans);
}

// Runs `step`, which calls into libjpeg; returns false when libjpeg stopped. The jump lands here,
// so `step` must own nothing with a destructor.
template <typename Step> bool RunGuarded(DecodeGuard& guard, Step step) {
    if (setjmp(guard.Jump) != 0)
        return false;
    step();
    return true;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

QString SystemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString Megabytes(std::int64_t bytes) { return QString::number((bytes + (1 << 20) - 1) >> 20); }

// Released even when the constructor of its owner fails half-way; a zeroed struct is safe to destroy.
struct DecompressStruct {
    jpeg_decompress_struct Info{};
    DecompressStruct() = default;
    DecompressStruct(const DecompressStruct&) = delete;
    DecompressStruct& operator=(const DecompressStruct&) = delete;
    ~DecompressStruct() { jpeg_destroy_decompress(&Info); }
};

// One decode of one file, from the header to the finished picture.
class Decompression {
public:
    Decompression(const QString& path, const JpegLimits& limits)
        : name_(QDir::toNativeSeparators(path)), limits_(limits), file_(OpenRegularFile(path)) {
        info_.err = jpeg_std_error(&guard_.Errors);
        guard_.Errors.error_exit = OnError;
        guard_.Errors.emit_message = OnMessage;
        guard_.Progress.progress_monitor = OnProgress;
        guard_.MaxScans = limits.MaxScans;
        info_.client_data = &guard_;
        Run([this] {
            jpeg_create_decompress(&info_);
            jpeg_stdio_src(&info_, file_.get());
        });
        info_.mem->max_memory_to_use = limits.MaxDecoderMemory;
        info_.progress = &guard_.Progress;
    }
    Decompression(const Decompression&) = delete;
    Decompression& operator=(const Decompression&) = delete;

    void ReadHeader() {
        Run([this] {
            jpeg_read_header(&info_, TRUE);
            guard_.MultiScan = jpeg_has_multiple_scans(&info_);
            guard_.Arithmetic = info_.arith_code;
        });
        const std::int64_t width = info_.image_width;
        const std::int64_t height = info_.image_height;
        if (width > limits_.MaxSide || height > limits_.MaxSide || width * height > limits_.MaxPixels)
            Fail(QStringLiteral("picture too large (%1 x %2 pixels)").arg(width).arg(height));
        if (info_.jpeg_color_space == JCS_CMYK || info_.jpeg_color_space == JCS_YCCK)
            Fail(QStringLiteral("CMYK pictures are not supported; save the picture in RGB colours"));
        info_.out_color_space = Rgb32ColorSpace;
    }

    void ScaleToCover(QSize cover) {
        if (cover.isEmpty())
            return;
        // libjpeg scales by n/8 while it decodes, far cheaper than decoding in full and shrinking.
        for (unsigned eighths = 1; eighths <= 8; ++eighths) {
            info_.scale_num = eighths;
            info_.scale_denom = 8;
            Run([this] { jpeg_calc_output_dimensions(&info_); });
            if (info_.output_width >= unsigned(cover.width()) &&
                info_.output_height >= unsigned(cover.height()))
                return;
        }
    }

    QImage Decode() {
        Run([this] { jpeg_start_decompress(&info_); });
        QImage picture(int(info_.output_width), int(info_.output_height), QImage::Format_RGB32);
        if (picture.isNull())
            Fail(QStringLiteral("not enough memory for a picture of %1 x %2 pixels")
                     .arg(info_.output_width)
                     .arg(info_.output_height));
        uchar* const pixels = picture.bits();
        const auto stride = std::size_t(picture.bytesPerLine());
        Run([this, pixels, stride] {
            while (info_.output_scanline < info_.output_height) {
                JSAMPROW row = pixels + info_.output_scanline * stride;
                jpeg_read_scanlines(&info_, &row, 1);
            }
        });
        guard_.AllRowsRead = true;
        Run([this] { jpeg_finish_decompress(&info_); });
        return picture;
    }

private:
    FilePointer OpenRegularFile(const QString& path) const {
        // Not blocking, so that a FIFO named like a picture cannot hang the open; it is refused below.
        const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (descriptor < 0)
            Fail(QStringLiteral("cannot open the file (%1)").arg(SystemError(errno)));
        FilePointer file(::fdopen(descriptor, "rb"));
        if (!file) {
            const int error = errno;
            ::close(descriptor);
            Fail(QStringLiteral("cannot open the file (%1)").arg(SystemError(error)));
        }
        struct stat status {};
        if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
            Fail(QStringLiteral("not a regular file"));
        if (status.st_size == 0)
            Fail(QStringLiteral("the file is empty"));
        if (status.st_size > limits_.MaxFileBytes)
            Fail(QStringLiteral("file too large (%1 MB, at most %2 MB)")
                     .arg(Megabytes(status.st_size), Megabytes(limits_.MaxFileBytes)));
        return file;
    }

    template <typename Step> void Run(Step step) {
        if (!RunGuarded(guard_, step))
            Fail(DescribeStop());
    }

    QString DescribeStop() const {
        const QString detail = QString::fromLocal8Bit(guard_.Message);
        switch (guard_.Reason) {
        case StopReason::Truncated:
            return QStringLiteral("the file is truncated");
        case StopReason::TooManyScans:
            return QStringLiteral("too many progressive scans (more than %1)").arg(limits_.MaxScans);
        case StopReason::TooManyWarnings:
            return QStringLiteral("the picture data is damaged (%1)").arg(detail);
        case StopReason::LibraryError:
            break;
        }
        switch (guard_.MessageCode) {
        case JERR_NO_SOI:
            return QStringLiteral("not a JPEG file");
        case JERR_INPUT_EMPTY:
            return QStringLiteral("the file is empty");
        case JERR_NO_BACKING_STORE:
            return QStringLiteral("decoding needs more than %1 MB of memory")
                .arg(Megabytes(limits_.MaxDecoderMemory));
        default:
            return QStringLiteral("cannot decode the picture (%1)").arg(detail);
        }
    }

    [[noreturn]] void Fail(const QString& what) const {
        throw JpegError(name_ + QStringLiteral(": ") + what);
    }

    QString name_;
    JpegLimits limits_;
    DecodeGuard guard_{};
    DecompressStruct decompressor_;
    jpeg_decompress_struct& info_ = decompressor_.Info;
    FilePointer file_;
};

} // namespace

QImage DecodeJpeg(const QString& path, QSize coverAtLeast, const JpegLimits& limits) {
    Decompression decompression(path, limits);
    decompression.ReadHeader();
    decompression.ScaleToCover(coverAtLeast);
    return decompression.Decode();
}

} // namespace stacklume
