#pragma once

#include "GameHost.h"

#include <array>
#include <filesystem>
#include <memory>
#include <thread>

namespace stacklume {

// The game's three sound effects, read once at start-up from brick2.wav (four rows cleared),
// brick1.wav (one to three rows) and knock.wav (a piece comes to rest) in the given folder, and
// played as read, whatever becomes of the files afterwards, through libcanberra (the desktop's
// sound server, or ALSA without one).
//
// Nothing here waits for the sound server: a thread of its own connects, caches and plays, and
// a request it cannot take at once (still busy with the last one, or held by a server that no
// longer answers) is dropped, as is one made while a sound plays.
//
// A file that cannot be opened throws SoundFileError. Everything else stays silent instead of
// failing: no sound server, no device, an empty file, bytes that are not a playable sound, a
// file over 16 MiB.
class SoundEffects {
public:
    // Indexed by Sound, which is also the order the files are read in.
    static constexpr std::array<const char*, 3> FileNames{"brick2.wav", "brick1.wav", "knock.wav"};

    explicit SoundEffects(const std::filesystem::path& folder);
    // Stops whatever is playing; does not wait long for a server that does not answer.
    ~SoundEffects();
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    // Connects to the server and has it cache the sounds, so that the first sound plays at
    // once. Returns at once.
    void Prepare();

    // Plays the sound when soundOn and nothing else is playing. Returns at once.
    void Play(Sound sound, bool soundOn);

private:
    struct Worker;

    // Shared with the thread, which may outlive this object while a stalled server holds it.
    std::shared_ptr<Worker> worker_;
    std::thread thread_;
};

} // namespace stacklume
