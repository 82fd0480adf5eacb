#include "SoundEffects.h"

#include "PlaybackFormat.h"
#include "SdlLibrary.h"
#include "SoundFileReader.h"
#include "WaveDecoder.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace stacklume {

namespace {

// Far beyond any effect; the limits only keep a wrong file from taking the memory.
constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;
constexpr int MaxSeconds = 60;

bool SdlDriverChosen() {
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    return driver != nullptr && *driver != '\0';
}

} // namespace

SoundEffects::SoundEffects(const std::filesystem::path& folder) {
    for (const char* name : FileNames)
        files_.push_back(ReadSoundFile(folder / name, MaxFileBytes));
}

SoundEffects::~SoundEffects() {
    server_.reset();
    device_.reset();
    samples_.clear();
}

void SoundEffects::Play(Sound sound, bool soundOn) {
    if (!soundOn)
        return;
    DecodeOnce();
    const auto index = static_cast<std::size_t>(sound);
    if (index >= samples_.size() || samples_[index].empty())
        return;
    if (server_ == nullptr && device_ == nullptr)
        OpenOutput();
    if (server_ != nullptr)
        server_->PlayIfIdle(index);
    else
        device_->PlayIfIdle(samples_[index]);
}

void SoundEffects::DecodeOnce() {
    if (decoded_)
        return;
    decoded_ = true;
    // Without SDL nothing is decoded: the game plays silently, as without a sound card.
    const bool decodable = SdlIfLoadable() != nullptr;
    for (const std::vector<std::uint8_t>& file : std::exchange(files_, {}))
        samples_.push_back(decodable ? DecodeWave(file, PlaybackFormat(), MaxSeconds)
                                     : std::vector<std::uint8_t>{});
}

void SoundEffects::OpenOutput() {
    if (!SdlDriverChosen()) {
        server_ = std::make_unique<EventSounds>(samples_);
        if (server_->Available())
            return;
        server_.reset();
    }
    device_ = std::make_unique<AudioOutput>();
}

} // namespace stacklume
