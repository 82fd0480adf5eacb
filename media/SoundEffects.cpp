#include "SoundEffects.h"

#include "SoundFileReader.h"
#include "WaveDecoder.h"

namespace stacklume {

namespace {

// Far beyond any effect; the limits only keep a wrong file from taking the memory.
constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;
constexpr int MaxSeconds = 60;

} // namespace

SoundEffects::SoundEffects(const std::filesystem::path& folder) {
    for (std::size_t index = 0; index < FileNames.size(); ++index) {
        const std::vector<std::uint8_t> file = ReadSoundFile(folder / FileNames[index], MaxFileBytes);
        // Without a device there is no format to convert to, and nothing will ever play.
        if (output_.IsOpen())
            samples_[index] = DecodeWave(file, output_.Format(), MaxSeconds);
    }
}

SoundEffects::~SoundEffects() {
    output_.Close();
    for (auto& samples : samples_)
        samples = std::vector<std::uint8_t>();
}

void SoundEffects::Play(Sound sound, bool soundOn) {
    const auto index = static_cast<std::size_t>(sound);
    if (!soundOn || index >= samples_.size())
        return;
    output_.PlayIfIdle(samples_[index]);
}

} // namespace stacklume
