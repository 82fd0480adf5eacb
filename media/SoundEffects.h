#pragma once

#include "AudioOutput.h"
#include "EventSounds.h"
#include "GameHost.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace stacklume {

// The game's three sound effects, read once at start-up from brick2.wav (four rows cleared),
// brick1.wav (one to three rows) and knock.wav (a piece comes to rest) in the given folder,
// decoded by the first sound played (SDL, which decodes them, is not loaded before the window
// appears), and played from memory without ever making the game tick wait.
//
// They are played by the desktop's sound server when there is one, otherwise through SDL; both
// are opened by the first sound, and neither keeps anything running between sounds. SDL alone
// plays when SDL_AUDIODRIVER names one of its drivers, as the tests do to record what is played.
//
// A file that cannot be opened throws SoundFileError. Everything else stays silent instead of
// failing: no audio device, no SDL library, an empty file, bytes that are not a playable wave, a file over
// 16 MiB or a wave longer than a minute.
class SoundEffects {
public:
    // Indexed by Sound, which is also the order the files are read in.
    static constexpr std::array<const char*, 3> FileNames{"brick2.wav", "brick1.wav", "knock.wav"};

    explicit SoundEffects(const std::filesystem::path& folder);
    // Stops whatever is playing before the samples go.
    ~SoundEffects();
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    // Plays the sound when soundOn and nothing else is playing; a request made while a sound
    // plays is dropped, so an effect is never cut short. Returns at once.
    void Play(Sound sound, bool soundOn);

private:
    void DecodeOnce();
    void OpenOutput();

    // In the order of Sound: brick2.wav, brick1.wav, knock.wav, as read, then decoded into
    // samples in PlaybackFormat.
    std::vector<std::vector<std::uint8_t>> files_;
    std::vector<std::vector<std::uint8_t>> samples_;
    bool decoded_ = false;
    std::unique_ptr<EventSounds> server_;
    std::unique_ptr<AudioOutput> device_;
};

} // namespace stacklume
