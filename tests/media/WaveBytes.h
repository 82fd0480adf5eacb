#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace stacklume::test {

// A complete PCM wave file, 16 bits a sample, interleaved samples.
inline std::vector<std::uint8_t> WaveFile(int rate, int channels, const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes;
    auto text = [&](const std::string& chars) { bytes.insert(bytes.end(), chars.begin(), chars.end()); };
    auto number = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    const auto blockAlign = static_cast<std::uint32_t>(channels * 2);
    text("RIFF");
    number(36 + dataSize, 4);
    text("WAVEfmt ");
    number(16, 4);
    number(1, 2); // PCM
    number(static_cast<std::uint32_t>(channels), 2);
    number(static_cast<std::uint32_t>(rate), 4);
    number(static_cast<std::uint32_t>(rate) * blockAlign, 4);
    number(blockAlign, 2);
    number(16, 2);
    text("data");
    number(dataSize, 4);
    for (const std::int16_t sample : samples)
        number(static_cast<std::uint16_t>(sample), 2);
    return bytes;
}

// A square wave whose every sample is +amplitude or -amplitude, so none of it reads as silence.
inline std::vector<std::int16_t> Tone(std::size_t count, std::int16_t amplitude) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = (i / 20) % 2 == 0 ? amplitude : static_cast<std::int16_t>(-amplitude);
    return samples;
}

// Samples in the machine's own byte order, as SDL puts them out.
template <typename Sample, typename Byte> std::vector<Sample> SamplesOf(const std::vector<Byte>& bytes) {
    std::vector<Sample> samples(bytes.size() / sizeof(Sample));
    if (!samples.empty())
        std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(Sample));
    return samples;
}

} // namespace stacklume::test
