#include "WaveDecoder.h"
#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <SDL2/SDL_stdinc.h>

namespace stacklume {
namespace {

using test::Tone;
using test::WaveFile;

constexpr int MaxSeconds = 60;

SDL_AudioSpec Output(int rate, SDL_AudioFormat format, int channels) {
    SDL_AudioSpec output{};
    output.freq = rate;
    output.format = format;
    output.channels = static_cast<Uint8>(channels);
    return output;
}

template <typename Iterator> auto Peak(Iterator begin, Iterator end) {
    decltype(+*begin) peak = 0;
    for (auto sample = begin; sample != end; ++sample)
        peak = std::max(peak, static_cast<decltype(peak)>(std::abs(+*sample)));
    return peak;
}

TEST(WaveDecoderTest, SamplesAlreadyInTheOutputFormatComeThroughUnchanged) {
    const std::vector<std::int16_t> tone = Tone(4410, 9000);
    EXPECT_EQ(test::SamplesOf<std::int16_t>(
                  DecodeWave(WaveFile(44100, 1, tone), Output(44100, AUDIO_S16SYS, 1), MaxSeconds)),
              tone);
}

TEST(WaveDecoderTest, OtherFormatsAreConvertedToTheOutputFormatWithNothingLost) {
    // Half a second of stereo at 22050 Hz for a 44100 Hz mono output: twice the frames, half
    // the channels, and the sound still there up to its last frame.
    const std::vector<std::int16_t> mono = test::SamplesOf<std::int16_t>(
        DecodeWave(WaveFile(22050, 2, Tone(22050, 9000)), Output(44100, AUDIO_S16SYS, 1), MaxSeconds));
    ASSERT_EQ(mono.size(), 22050u);
    EXPECT_GT(Peak(mono.begin(), mono.begin() + 100), 8000);
    EXPECT_GT(Peak(mono.end() - 100, mono.end()), 8000);

    // One second of 44100 Hz mono for 32-bit float stereo at 48000 Hz, what many devices ask for.
    const std::vector<std::uint8_t> bytes =
        DecodeWave(WaveFile(44100, 1, Tone(44100, 9000)), Output(48000, AUDIO_F32SYS, 2), MaxSeconds);
    ASSERT_EQ(bytes.size(), 48000u * 2 * sizeof(float));
    const std::vector<float> floats = test::SamplesOf<float>(bytes);
    EXPECT_GT(Peak(floats.begin(), floats.begin() + 200), 0.25f);
    EXPECT_GT(Peak(floats.end() - 200, floats.end()), 0.25f);
}

TEST(WaveDecoderTest, WhatCannotBePlayedDecodesToNothing) {
    const SDL_AudioSpec output = Output(44100, AUDIO_S16SYS, 1);
    const std::vector<std::uint8_t> wave = WaveFile(44100, 1, Tone(4410, 9000));

    EXPECT_TRUE(DecodeWave({}, output, MaxSeconds).empty());
    EXPECT_TRUE(DecodeWave(std::vector<std::uint8_t>(5000, 0xA5), output, MaxSeconds).empty());
    EXPECT_TRUE(DecodeWave({wave.begin(), wave.begin() + 30}, output, MaxSeconds).empty());
    EXPECT_TRUE(DecodeWave(WaveFile(44100, 1, {}), output, MaxSeconds).empty());

    std::vector<std::uint8_t> noChannels = wave;
    noChannels[22] = 0;
    EXPECT_TRUE(DecodeWave(noChannels, output, MaxSeconds).empty());
}

// The largest block SDL asks for while the counter is installed.
class SdlAllocationCounter {
public:
    SdlAllocationCounter() {
        SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
        largest_ = 0;
        SDL_SetMemoryFunctions(Malloc, Calloc, Realloc, free_);
    }
    ~SdlAllocationCounter() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }
    SdlAllocationCounter(const SdlAllocationCounter&) = delete;
    SdlAllocationCounter& operator=(const SdlAllocationCounter&) = delete;

    static std::size_t Largest() { return largest_; }

private:
    static void* Malloc(std::size_t size) {
        largest_ = std::max(largest_, size);
        return malloc_(size);
    }
    static void* Calloc(std::size_t count, std::size_t size) {
        largest_ = std::max(largest_, count * size);
        return calloc_(count, size);
    }
    static void* Realloc(void* block, std::size_t size) {
        largest_ = std::max(largest_, size);
        return realloc_(block, size);
    }

    static inline SDL_malloc_func malloc_ = nullptr;
    static inline SDL_calloc_func calloc_ = nullptr;
    static inline SDL_realloc_func realloc_ = nullptr;
    static inline SDL_free_func free_ = nullptr;
    static inline std::size_t largest_ = 0;
};

TEST(WaveDecoderTest, ChunksClaimingMoreThanTheFileHoldsCostNoMoreThanTheFile) {
    const SDL_AudioSpec output = Output(8000, AUDIO_S16SYS, 1);
    const std::vector<std::uint8_t> whole = WaveFile(8000, 1, Tone(800, 9000));
    // The data chunk's length (bytes 40 to 43) claims 3 GB, and a truncated file claims the
    // length it had.
    std::vector<std::uint8_t> claiming = whole;
    claiming[43] = 0xC0;
    const std::vector<std::uint8_t> truncated(whole.begin(), whole.begin() + 44 + 2 * 400);
    // SDL also takes a file that begins at "WAVE", without the RIFF header.
    const std::vector<std::uint8_t> bare(claiming.begin() + 8, claiming.end());

    const SdlAllocationCounter counter;
    EXPECT_EQ(DecodeWave(claiming, output, MaxSeconds), DecodeWave(whole, output, MaxSeconds));
    EXPECT_EQ(DecodeWave(bare, output, MaxSeconds), DecodeWave(whole, output, MaxSeconds));
    EXPECT_EQ(test::SamplesOf<std::int16_t>(DecodeWave(truncated, output, MaxSeconds)),
              std::vector<std::int16_t>(Tone(400, 9000)))
        << "a truncated wave plays as far as it goes";
    EXPECT_LT(SdlAllocationCounter::Largest(), 64u * 1024);
}

TEST(WaveDecoderTest, SampleRatesBeyondAnyRecordingDecodeToNothing) {
    const SDL_AudioSpec output = Output(48000, AUDIO_F32SYS, 2);
    EXPECT_FALSE(DecodeWave(WaveFile(768000, 1, Tone(7680, 9000)), output, MaxSeconds).empty());
    EXPECT_FALSE(DecodeWave(WaveFile(1000, 1, Tone(100, 9000)), output, MaxSeconds).empty());

    const SdlAllocationCounter counter;
    // SDL's resampler would size its buffers with an int that overflows.
    EXPECT_TRUE(DecodeWave(WaveFile(524304384, 1, Tone(7680, 9000)), output, MaxSeconds).empty());
    // One frame at 2 Hz is half a second, but flushing the converter took gigabytes.
    EXPECT_TRUE(DecodeWave(WaveFile(2, 1, Tone(1, 9000)), output, MaxSeconds).empty());
    EXPECT_LT(SdlAllocationCounter::Largest(), 64u * 1024);
}

TEST(WaveDecoderTest, AWaveLongerThanTheLimitDecodesToNothing) {
    // A header claiming 1 Hz would make a few kilobytes of samples hours long and gigabytes big.
    EXPECT_TRUE(
        DecodeWave(WaveFile(1, 1, Tone(4410, 9000)), Output(44100, AUDIO_S16SYS, 1), MaxSeconds).empty());
    EXPECT_TRUE(
        DecodeWave(WaveFile(8000, 1, Tone(8000 * 3, 9000)), Output(8000, AUDIO_S16SYS, 1), 2).empty());
    EXPECT_FALSE(
        DecodeWave(WaveFile(8000, 1, Tone(8000 * 2, 9000)), Output(8000, AUDIO_S16SYS, 1), 2).empty());
}

} // namespace
} // namespace stacklume
