#pragma once

#include <SDL2/SDL_audio.h>

#include <cstdint>
#include <vector>

namespace stacklume {

// The default audio output, one voice, fed through SDL's queue. Opening it cannot fail: without
// an audio subsystem or a device it stays closed and everything it is asked to play is dropped.
class AudioOutput {
public:
    AudioOutput();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    bool IsOpen() const { return device_ != 0; }
    // The sample format the device was opened with; samples given to PlayIfIdle are in it.
    const SDL_AudioSpec& Format() const { return format_; }

    // Starts the samples unless something is still queued: a new sound gives way to the one in
    // progress instead of cutting it off. Returns at once.
    void PlayIfIdle(const std::vector<std::uint8_t>& samples);

    // Drops whatever is still queued and closes the device; later requests are dropped.
    void Close();

private:
    bool subsystemStarted_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec format_{};
};

} // namespace stacklume
