#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

struct ca_context;

namespace stacklume {

// Sounds played by the desktop's sound server through libcanberra: each one is uploaded to the
// server once and played from there on request, so that nothing runs between sounds, neither
// here nor in the server. One voice: a request made while a sound plays is dropped.
class EventSounds {
public:
    using Clock = std::chrono::steady_clock;

    // Connects to the sound server and uploads the sounds, samples in PlaybackFormat; empty ones
    // are left out. Available() tells whether that worked.
    explicit EventSounds(const std::vector<std::vector<std::uint8_t>>& sounds);
    // Stops whatever is playing.
    ~EventSounds();
    EventSounds(const EventSounds&) = delete;
    EventSounds& operator=(const EventSounds&) = delete;

    bool Available() const { return context_ != nullptr; }

    // Plays sound `index` unless the last one started is still playing. Returns at once.
    void PlayIfIdle(std::size_t index, Clock::time_point now = Clock::now());

private:
    struct Uploaded {
        std::string name; // in the server's sample cache; empty for an empty sound
        Clock::duration length;
    };

    bool Connect();
    bool Upload(const std::vector<std::uint8_t>& samples, Uploaded& sound);

    ca_context* context_ = nullptr;
    std::vector<Uploaded> sounds_;
    Clock::time_point busyUntil_{};
};

} // namespace stacklume
