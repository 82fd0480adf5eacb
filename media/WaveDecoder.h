#pragma once

#include <SDL2/SDL_audio.h>

#include <cstdint>
#include <vector>

namespace stacklume {

// Decodes a wave file held in memory and converts its samples to the output's format, once, so
// that playing it is a plain copy. Whatever cannot be played gives an empty result and stays
// silent: bytes that are not a wave SDL can decode, a format it cannot convert, a sample rate
// below 1 kHz or above 768 kHz (a broken header can claim either, and converting would take
// gigabytes), or a wave longer than maxSeconds.
std::vector<std::uint8_t> DecodeWave(const std::vector<std::uint8_t>& file, const SDL_AudioSpec& output,
                                     int maxSeconds);

} // namespace stacklume
