#include "AudioOutput.h"

#include <SDL2/SDL.h>

#include <limits>

namespace stacklume {

AudioOutput::AudioOutput() {
    // Initialising audio brings up SDL's events, which would otherwise take over SIGINT and
    // SIGTERM: the window could then no longer be ended by a signal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    subsystemStarted_ = true;

    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    // About 23 ms: short enough that an effect follows its cause without a noticeable lag.
    wanted.samples = 1024;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &format_, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device_ != 0)
        SDL_PauseAudioDevice(device_, 0);
}

AudioOutput::~AudioOutput() {
    Close();
    if (subsystemStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOutput::PlayIfIdle(const std::vector<std::uint8_t>& samples) {
    if (device_ == 0 || samples.empty() || samples.size() > std::numeric_limits<Uint32>::max())
        return;
    if (SDL_GetQueuedAudioSize(device_) != 0)
        return;
    SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(samples.size()));
}

void AudioOutput::Close() {
    if (device_ == 0)
        return;
    SDL_ClearQueuedAudio(device_);
    SDL_CloseAudioDevice(device_);
    device_ = 0;
}

} // namespace stacklume
