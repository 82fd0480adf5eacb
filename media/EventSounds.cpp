#include "EventSounds.h"

#include "PlaybackFormat.h"

#include <QCryptographicHash>

#include <canberra.h>
#include <sys/mman.h>
#include <unistd.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace stacklume {

namespace {

// The numerical id of every sound we start, to stop them all at once.
constexpr std::uint32_t PlayId = 1;

using PropertyList = std::unique_ptr<ca_proplist, decltype(&ca_proplist_destroy)>;

PropertyList Properties(std::initializer_list<std::pair<const char*, std::string>> values) {
    ca_proplist* list = nullptr;
    if (ca_proplist_create(&list) != CA_SUCCESS)
        return {nullptr, ca_proplist_destroy};
    for (const auto& [key, value] : values)
        ca_proplist_sets(list, key, value.c_str());
    return {list, ca_proplist_destroy};
}

void Append(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Append(std::vector<std::uint8_t>& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(tag[i]));
}

// A plain PCM wave file of the samples, the form in which libcanberra takes a sound.
std::vector<std::uint8_t> WaveImage(const std::vector<std::uint8_t>& samples) {
    constexpr std::size_t HeaderSize = 44;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(HeaderSize + samples.size());
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    Append(bytes, "RIFF");
    Append(bytes, HeaderSize - 8 + dataSize, 4);
    Append(bytes, "WAVE");
    Append(bytes, "fmt ");
    Append(bytes, 16, 4);
    Append(bytes, 1, 2); // PCM
    Append(bytes, PlaybackChannels, 2);
    Append(bytes, PlaybackRate, 4);
    Append(bytes, PlaybackRate * PlaybackBytesPerFrame, 4);
    Append(bytes, PlaybackBytesPerFrame, 2);
    Append(bytes, 16, 2);
    Append(bytes, "data");
    Append(bytes, dataSize, 4);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

// Named after its content: instances with the same sounds share the server's copies, and
// instances with other sounds never play ours.
std::string SampleName(const std::vector<std::uint8_t>& wave) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(wave.data()), static_cast<qsizetype>(wave.size())),
        QCryptographicHash::Sha256);
    return "stacklume-" + digest.toHex().left(32).toStdString();
}

} // namespace

EventSounds::EventSounds(const std::vector<std::vector<std::uint8_t>>& sounds) : sounds_(sounds.size()) {
    if (!Connect())
        return;
    for (std::size_t index = 0; index < sounds.size(); ++index)
        if (!Upload(sounds[index], sounds_[index])) {
            ca_context_destroy(context_);
            context_ = nullptr;
            return;
        }
}

EventSounds::~EventSounds() {
    if (context_ == nullptr)
        return;
    ca_context_cancel(context_, PlayId);
    ca_context_destroy(context_);
}

bool EventSounds::Connect() {
    if (ca_context_create(&context_) != CA_SUCCESS)
        return false;
    // A sound server or nothing: without one, the sounds are better played by SDL than by
    // libcanberra's own device output.
    const PropertyList properties = Properties({{CA_PROP_APPLICATION_NAME, "Stacklume"},
                                                {CA_PROP_APPLICATION_ICON_NAME, "stacklume"},
                                                {CA_PROP_MEDIA_ROLE, "game"}});
    if (properties && ca_context_set_driver(context_, "pulse") == CA_SUCCESS &&
        ca_context_change_props_full(context_, properties.get()) == CA_SUCCESS &&
        ca_context_open(context_) == CA_SUCCESS)
        return true;
    ca_context_destroy(context_);
    context_ = nullptr;
    return false;
}

bool EventSounds::Upload(const std::vector<std::uint8_t>& samples, Uploaded& sound) {
    sound.length = PlayingTime(samples.size());
    if (samples.empty())
        return true;
    // libcanberra reads a sound from a file: this one lives in memory only.
    const std::vector<std::uint8_t> wave = WaveImage(samples);
    const int file = memfd_create("stacklume-sound", MFD_CLOEXEC);
    if (file < 0)
        return false;
    const bool written = write(file, wave.data(), wave.size()) == static_cast<ssize_t>(wave.size());
    sound.name = SampleName(wave);
    const PropertyList properties =
        Properties({{CA_PROP_EVENT_ID, sound.name},
                    {CA_PROP_MEDIA_FILENAME, "/proc/self/fd/" + std::to_string(file)},
                    {CA_PROP_CANBERRA_CACHE_CONTROL, "permanent"}});
    const bool uploaded =
        written && properties && ca_context_cache_full(context_, properties.get()) == CA_SUCCESS;
    close(file);
    return uploaded;
}

void EventSounds::PlayIfIdle(std::size_t index, Clock::time_point now) {
    if (context_ == nullptr || index >= sounds_.size() || sounds_[index].name.empty() || now < busyUntil_)
        return;
    // libcanberra looks in the server's cache only for sounds that may be cached.
    const PropertyList properties =
        Properties({{CA_PROP_EVENT_ID, sounds_[index].name}, {CA_PROP_CANBERRA_CACHE_CONTROL, "permanent"}});
    if (properties &&
        ca_context_play_full(context_, PlayId, properties.get(), nullptr, nullptr) == CA_SUCCESS)
        busyUntil_ = now + sounds_[index].length;
}

} // namespace stacklume
