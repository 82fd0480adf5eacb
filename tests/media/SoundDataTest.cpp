#include <SDL2/SDL_audio.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace stacklume {
namespace {

struct Wave {
    SDL_AudioSpec format{};
    std::vector<std::int16_t> samples;
};

Wave Load(const std::string& name) {
    const std::filesystem::path file = std::filesystem::path(STACKLUME_DATA_FOLDER) / name;
    Wave wave;
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(file.c_str(), &wave.format, &bytes, &length) == nullptr) {
        ADD_FAILURE() << file << ": " << SDL_GetError();
        return wave;
    }
    if (wave.format.format == AUDIO_S16LSB) {
        const auto* first = reinterpret_cast<const std::int16_t*>(bytes);
        wave.samples.assign(first, first + length / 2);
    }
    SDL_FreeWAV(bytes);
    return wave;
}

int Peak(std::vector<std::int16_t>::const_iterator begin, std::vector<std::int16_t>::const_iterator end) {
    int peak = 0;
    for (auto sample = begin; sample != end; ++sample)
        peak = std::max(peak, std::abs(static_cast<int>(*sample)));
    return peak;
}

struct Expected {
    const char* name;
    double shortest;
    double longest;
};

// The shipped effects: 16-bit mono PCM, of the intended length, loud but never clipped, and
// starting and ending quietly so that nothing clicks.
TEST(SoundDataTest, TheShippedEffectsArePlayableCleanAndOfTheIntendedLength) {
    for (const Expected expected : {Expected{"knock.wav", 0.08, 0.12}, Expected{"brick1.wav", 0.25, 0.40},
                                    Expected{"brick2.wav", 0.60, 0.90}}) {
        SCOPED_TRACE(expected.name);
        const Wave wave = Load(expected.name);
        ASSERT_EQ(wave.format.format, AUDIO_S16LSB);
        ASSERT_EQ(wave.format.channels, 1);
        ASSERT_TRUE(wave.format.freq == 44100 || wave.format.freq == 22050) << wave.format.freq;

        const double seconds = static_cast<double>(wave.samples.size()) / wave.format.freq;
        EXPECT_GE(seconds, expected.shortest);
        EXPECT_LE(seconds, expected.longest);

        const int peak = Peak(wave.samples.begin(), wave.samples.end());
        EXPECT_GT(peak, 32768 / 4);
        EXPECT_LT(peak, 32767);

        const auto edge = static_cast<std::ptrdiff_t>(wave.format.freq / 200); // 5 ms
        EXPECT_LT(Peak(wave.samples.begin(), wave.samples.begin() + 2), 328);
        EXPECT_LT(Peak(wave.samples.end() - edge, wave.samples.end()), 328);
    }
}

} // namespace
} // namespace stacklume
