#pragma once

#include <SDL2/SDL_audio.h>

#include <QTimer>

#include <cstdint>
#include <vector>

namespace stacklume {

// One voice through SDL, in PlaybackFormat, open only while it plays: a request opens the
// device, and once everything queued has been played it is closed again, so that no stream of
// silence runs between sounds. Without an audio subsystem or a device every request is
// dropped. Opening and closing happen on the thread that makes the requests, which must run a
// Qt event loop for the device to be closed.
class AudioOutput {
public:
    AudioOutput();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    bool IsOpen() const { return device_ != 0; }

    // Starts the samples unless something is still queued: a new sound gives way to the one in
    // progress instead of cutting it off. Returns at once.
    void PlayIfIdle(const std::vector<std::uint8_t>& samples);

    // Drops whatever is still queued and closes the device.
    void Close();

private:
    void Open();
    void CloseOnceDrained();

    bool subsystemStarted_ = false;
    SDL_AudioDeviceID device_ = 0;
    QTimer drainWatch_;
};

} // namespace stacklume
