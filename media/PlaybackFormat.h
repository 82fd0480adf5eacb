#pragma once

#include <SDL2/SDL_audio.h>

#include <chrono>
#include <cstddef>

namespace stacklume {

// What every sound is converted to once at start-up, whatever then plays it: 16-bit
// little-endian mono at 44.1 kHz, as the game's own wave files are.
inline constexpr int PlaybackRate = 44100;
inline constexpr int PlaybackChannels = 1;
inline constexpr int PlaybackBytesPerFrame = 2 * PlaybackChannels;

inline SDL_AudioSpec PlaybackFormat() {
    SDL_AudioSpec format{};
    format.freq = PlaybackRate;
    format.format = AUDIO_S16LSB;
    format.channels = PlaybackChannels;
    return format;
}

// How long `bytes` of samples in that format play.
inline std::chrono::milliseconds PlayingTime(std::size_t bytes) {
    return std::chrono::milliseconds(bytes * 1000 / (PlaybackRate * PlaybackBytesPerFrame));
}

} // namespace stacklume
