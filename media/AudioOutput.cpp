#include "AudioOutput.h"

#include "PlaybackFormat.h"

#include "SdlLibrary.h"

#include <limits>

namespace stacklume {

namespace {

// About 12 ms: a sound starts soon after its request, and closing, which waits for two such
// buffers to play out, holds the caller only briefly.
constexpr Uint16 BufferFrames = 512;
// Allowed beyond a sound's length for the device to start and play out its last buffer.
constexpr std::chrono::milliseconds DrainAllowance(60);

} // namespace

AudioOutput::AudioOutput() {
    // Initialising audio brings up SDL's events, which would otherwise take over SIGINT and
    // SIGTERM: the window could then no longer be ended by a signal. Without SDL, silence.
    if (SdlIfLoadable() != nullptr) {
        Sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        subsystemStarted_ = Sdl().InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    drainWatch_.setSingleShot(true);
    QObject::connect(&drainWatch_, &QTimer::timeout, [this] { CloseOnceDrained(); });
}

AudioOutput::~AudioOutput() {
    Close();
    if (subsystemStarted_)
        Sdl().QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOutput::PlayIfIdle(const std::vector<std::uint8_t>& samples) {
    if (!subsystemStarted_ || samples.empty() || samples.size() > std::numeric_limits<Uint32>::max())
        return;
    if (device_ != 0 && Sdl().GetQueuedAudioSize(device_) != 0)
        return;
    if (device_ == 0)
        Open();
    if (device_ == 0)
        return;
    Sdl().QueueAudio(device_, samples.data(), static_cast<Uint32>(samples.size()));
    Sdl().PauseAudioDevice(device_, 0);
    drainWatch_.start(PlayingTime(samples.size()) + DrainAllowance);
}

void AudioOutput::Open() {
    SDL_AudioSpec wanted = PlaybackFormat();
    wanted.samples = BufferFrames;
    // No changes allowed: SDL converts to whatever the device wants.
    device_ = Sdl().OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
}

void AudioOutput::CloseOnceDrained() {
    if (device_ == 0)
        return;
    // The device may have started late: look again once the rest has had time to play.
    if (const Uint32 queued = Sdl().GetQueuedAudioSize(device_); queued != 0) {
        drainWatch_.start(PlayingTime(queued) + DrainAllowance);
        return;
    }
    // SDL lets the last buffers play out before the device goes.
    Close();
}

void AudioOutput::Close() {
    drainWatch_.stop();
    if (device_ == 0)
        return;
    Sdl().ClearQueuedAudio(device_);
    Sdl().CloseAudioDevice(device_);
    device_ = 0;
}

} // namespace stacklume
