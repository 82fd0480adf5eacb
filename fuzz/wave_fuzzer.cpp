// Sound effects on arbitrary file bytes: the file is read whole up to its limit, and decoding and
// converting it for the audio device either gives whole frames of the device's format, no longer
// than the longest effect allowed, or nothing, which stays silent.

#include "FuzzSupport.h"
#include "SoundFileReader.h"
#include "WaveDecoder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

using namespace stacklume;
using namespace stacklume::fuzz;

namespace {

constexpr int MaxSeconds = 60;
constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;

SDL_AudioSpec Device(int freq, SDL_AudioFormat format, int channels) {
    SDL_AudioSpec spec{};
    spec.freq = freq;
    spec.format = format;
    spec.channels = static_cast<Uint8>(channels);
    return spec;
}

// Formats sound servers and devices offer.
const std::array<SDL_AudioSpec, 6> Devices{Device(48000, AUDIO_F32SYS, 2), Device(44100, AUDIO_S16SYS, 2),
                                           Device(22050, AUDIO_U8, 1),     Device(96000, AUDIO_S32SYS, 6),
                                           Device(8000, AUDIO_S16SYS, 1),  Device(192000, AUDIO_F32SYS, 8)};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const SDL_AudioSpec& device = Devices[input.ConsumeIntegralInRange<std::size_t>(0, Devices.size() - 1)];
    const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();

    const QString path =
        WriteScratchFile(QStringLiteral("knock.wav"),
                         QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    // The scratch file exists and is readable: a SoundFileError here is a finding.
    const std::vector<std::uint8_t> file = ReadSoundFile(path.toStdString(), MaxFileBytes);
    Require(file == bytes, "the sound file is read whole");

    const std::vector<std::uint8_t> samples = DecodeWave(file, device, MaxSeconds);
    const std::size_t frameBytes = SDL_AUDIO_BITSIZE(device.format) / 8 * device.channels;
    Require(samples.size() % frameBytes == 0, "the samples are whole frames of the device's format");
    Require(samples.size() <= std::size_t(MaxSeconds) * std::size_t(device.freq) * frameBytes,
            "a sound is never longer than the longest effect allowed");
    return 0;
}
