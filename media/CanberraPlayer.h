#pragma once

#include "MemoryFile.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

struct ca_context;

namespace stacklume {

// A sound as read at start-up, under a name of its own in the sound server's cache.
struct HeldSound {
    std::string eventId;
    MemoryFile file; // no file: a sound that never plays
};

// Plays the sounds through libcanberra: the desktop's sound server, which keeps a copy of each
// in its cache and plays it from there (nothing runs between sounds), or ALSA without one. One
// voice: a request made while a sound plays is dropped. Any call may wait for the sound server,
// so one thread, never the interface's, makes all of them.
class CanberraPlayer {
public:
    explicit CanberraPlayer(std::vector<HeldSound> sounds);
    // Stops whatever is playing.
    ~CanberraPlayer();
    CanberraPlayer(const CanberraPlayer&) = delete;
    CanberraPlayer& operator=(const CanberraPlayer&) = delete;

    // Connects and has the server cache every sound, so that the first one plays at once. Done
    // once; after a failure (no device, no server yet) tried again by the next call.
    void Prepare();

    // Plays sound `index` unless a sound is still playing, preparing first if need be. A
    // server that has gone since the last sound is replaced by whichever now runs, and a server
    // that lost its cache (restarted) is given the sound again.
    void PlayIfIdle(std::size_t index);

    // Stops whatever is playing and lets the server go.
    void Close();

private:
    using Clock = std::chrono::steady_clock;

    int Start(std::size_t index, std::uint32_t id);
    static void Finished(ca_context* context, std::uint32_t id, int result, void* player);

    std::vector<HeldSound> sounds_;
    ca_context* context_ = nullptr;
    std::uint32_t lastId_ = 0;
    // The id of the sound playing, 0 for none; its end is reported on libcanberra's own thread.
    std::atomic<std::uint32_t> playing_ = 0;
    Clock::time_point startedAt_;
};

} // namespace stacklume
