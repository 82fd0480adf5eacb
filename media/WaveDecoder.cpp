#include "WaveDecoder.h"

#include "SdlLibrary.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace stacklume {

namespace {

// Far beyond any recording on either side. SDL's resampler sizes its buffers by the ratio of the
// rates, in int arithmetic that overflows for rates near the limit of the header's field; and the
// silence that flushes the converter is counted in frames, which at a rate of a few hertz would
// stand for hours of output.
constexpr int MinSampleRate = 1000;
constexpr int MaxSampleRate = 768000;

struct WaveSamplesDeleter {
    void operator()(Uint8* samples) const { Sdl().FreeWAV(samples); }
};
using WaveSamples = std::unique_ptr<Uint8, WaveSamplesDeleter>;

struct AudioStreamDeleter {
    void operator()(SDL_AudioStream* stream) const { Sdl().FreeAudioStream(stream); }
};
using AudioStream = std::unique_ptr<SDL_AudioStream, AudioStreamDeleter>;

int FrameSize(const SDL_AudioSpec& format) { return SDL_AUDIO_BITSIZE(format.format) / 8 * format.channels; }

bool SameFormat(const SDL_AudioSpec& a, const SDL_AudioSpec& b) {
    return a.format == b.format && a.channels == b.channels && a.freq == b.freq;
}

Uint8 SilenceOf(SDL_AudioFormat format) { return format == AUDIO_U8 ? 0x80 : 0; }

// Both sizes in bytes; the caller has checked that they fit an int.
std::vector<std::uint8_t> Convert(const Uint8* samples, int length, const SDL_AudioSpec& from,
                                  const SDL_AudioSpec& to, int wanted) {
    const AudioStream stream(
        Sdl().NewAudioStream(from.format, from.channels, from.freq, to.format, to.channels, to.freq));
    if (!stream || Sdl().AudioStreamPut(stream.get(), samples, length) != 0)
        return {};

    // The resampler holds back the last few milliseconds even when flushed, so the sound is
    // followed by silence until all of it is out, and the output cut to the sound's length.
    const std::vector<Uint8> silence(
        static_cast<std::size_t>(std::max(from.freq / 10, 1024) * FrameSize(from)), SilenceOf(from.format));
    for (int round = 0; round < 20 && Sdl().AudioStreamAvailable(stream.get()) < wanted; ++round)
        if (Sdl().AudioStreamPut(stream.get(), silence.data(), static_cast<int>(silence.size())) != 0)
            return {};
    if (Sdl().AudioStreamFlush(stream.get()) != 0)
        return {};

    std::vector<std::uint8_t> converted(
        static_cast<std::size_t>(std::min(wanted, Sdl().AudioStreamAvailable(stream.get()))));
    const int got = Sdl().AudioStreamGet(stream.get(), converted.data(), static_cast<int>(converted.size()));
    if (got < 0)
        return {};
    converted.resize(static_cast<std::size_t>(got));
    return converted;
}

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

void SetLittleEndian32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// SDL reserves the length a chunk's header claims before it reads a byte of the chunk, so a few
// bytes claiming a 4 GB data chunk would take 4 GB. With every length cut to what the file still
// holds, a wave reads the same, a truncated one as far as it goes, and asks for no more than that.
std::vector<std::uint8_t> WithChunksCutToTheFile(std::vector<std::uint8_t> file) {
    constexpr std::size_t chunkHeaderSize = 8; // an identifier and a length
    // The chunks follow "RIFF", the length of the rest and "WAVE", or a bare "WAVE", which SDL
    // takes too.
    const bool bare = file.size() >= 4 && std::equal(file.begin(), file.begin() + 4, "WAVE");
    std::size_t at = bare ? 4 : 12;
    while (at + chunkHeaderSize <= file.size()) {
        const std::size_t available = file.size() - at - chunkHeaderSize;
        std::uint32_t length = LittleEndian32(&file[at + 4]);
        if (length > available) {
            length = static_cast<std::uint32_t>(available);
            SetLittleEndian32(&file[at + 4], length);
        }
        at += chunkHeaderSize + length + (length & 1); // chunks start at even offsets
    }
    return file;
}

} // namespace

std::vector<std::uint8_t> DecodeWave(const std::vector<std::uint8_t>& file, const SDL_AudioSpec& output,
                                     int maxSeconds) {
    if (file.empty() || file.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const std::vector<std::uint8_t> readable = WithChunksCutToTheFile(file);
    SDL_RWops* source = Sdl().RWFromConstMem(readable.data(), static_cast<int>(readable.size()));
    if (source == nullptr)
        return {};

    SDL_AudioSpec format{};
    Uint8* rawSamples = nullptr;
    Uint32 length = 0;
    if (Sdl().LoadWAV_RW(source, 1, &format, &rawSamples, &length) == nullptr)
        return {};
    const WaveSamples samples(rawSamples);

    const int frameSize = FrameSize(format);
    const int outputFrameSize = FrameSize(output);
    if (frameSize <= 0 || format.freq < MinSampleRate || format.freq > MaxSampleRate ||
        outputFrameSize <= 0 || output.freq <= 0)
        return {};
    const std::uint64_t frames = length / static_cast<Uint32>(frameSize);
    if (frames == 0 ||
        frames > static_cast<std::uint64_t>(format.freq) * static_cast<std::uint64_t>(maxSeconds))
        return {};

    // A trailing partial frame is dropped: the converter only takes whole frames.
    const std::uint64_t inputBytes = frames * static_cast<std::uint64_t>(frameSize);
    const std::uint64_t outputBytes = frames * static_cast<std::uint64_t>(output.freq) /
                                      static_cast<std::uint64_t>(format.freq) *
                                      static_cast<std::uint64_t>(outputFrameSize);
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<int>::max() / 2);
    if (inputBytes > largest || outputBytes > largest)
        return {};
    if (SameFormat(format, output))
        return {samples.get(), samples.get() + inputBytes};
    return Convert(samples.get(), static_cast<int>(inputBytes), format, output,
                   static_cast<int>(outputBytes));
}

} // namespace stacklume
