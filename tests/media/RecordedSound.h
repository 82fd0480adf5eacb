#pragma once

#include "WaveBytes.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

namespace stacklume::test {

// The samples recorded so far in a raw file of 16-bit samples, silence included.
inline std::vector<std::int16_t> RecordedSamples(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return SamplesOf<std::int16_t>(bytes);
}

inline std::vector<std::int16_t> WithoutSilence(std::vector<std::int16_t> samples) {
    std::erase(samples, 0);
    return samples;
}

// Polls; the machine may be busy, so the deadline is far beyond what any case needs.
inline bool WaitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

} // namespace stacklume::test
