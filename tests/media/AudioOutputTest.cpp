#include "AudioOutput.h"
#include "TempFolder.h"
#include "WaveBytes.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace stacklume {
namespace {

std::vector<std::uint8_t> Bytes(const std::vector<std::int16_t>& samples) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(samples.data());
    return {first, first + samples.size() * sizeof(std::int16_t)};
}

// Runs the event loop, which closes the device, until the output has closed.
bool WaitUntilClosed(const AudioOutput& output) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (output.IsOpen() && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return !output.IsOpen();
}

// SDL's disk driver writes what is played, silence included, to a file it starts anew at every
// opening of the device.
TEST(AudioOutputTest, ClosesOnceASoundIsOverAndPlaysTheNextOneWholeOnOpeningAgain) {
    test::TempFolder outputs;
    const std::filesystem::path file = outputs.Path() / "output.raw";
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    auto nonSilent = [&file] {
        std::ifstream in(file, std::ios::binary);
        std::vector<std::int16_t> samples = test::SamplesOf<std::int16_t>(
            std::vector<char>{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
        std::erase(samples, 0);
        return samples;
    };
    const auto first = test::Tone(4410, 5000);
    const auto second = test::Tone(22050, 7000);
    AudioOutput output;
    EXPECT_FALSE(output.IsOpen()) << "nothing is open before a sound";

    output.PlayIfIdle(Bytes(first));
    ASSERT_TRUE(output.IsOpen());
    ASSERT_TRUE(WaitUntilClosed(output));
    EXPECT_EQ(nonSilent(), first) << "closed before the end";

    output.PlayIfIdle(Bytes(second));
    ASSERT_TRUE(WaitUntilClosed(output));
    EXPECT_EQ(nonSilent(), second);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}

} // namespace
} // namespace stacklume
