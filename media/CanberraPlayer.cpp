#include "CanberraPlayer.h"

#include <canberra.h>

#include <memory>
#include <utility>

namespace stacklume {

namespace {

// libcanberra can miss the end of a sound that is over before its play call returns (a busy
// machine); after this long without word the voice is taken as free again. Far beyond any of
// the game's effects.
constexpr std::chrono::seconds LongestUnreportedSound(3);

using PropertyList = std::unique_ptr<ca_proplist, decltype(&ca_proplist_destroy)>;

// The sound's name and its file: when the server no longer has the sound in its cache,
// libcanberra reads the file and uploads it again.
PropertyList SoundProperties(const HeldSound& sound) {
    ca_proplist* list = nullptr;
    if (ca_proplist_create(&list) != CA_SUCCESS)
        return {nullptr, ca_proplist_destroy};
    ca_proplist_sets(list, CA_PROP_EVENT_ID, sound.eventId.c_str());
    ca_proplist_sets(list, CA_PROP_MEDIA_FILENAME, sound.file.Path().c_str());
    ca_proplist_sets(list, CA_PROP_CANBERRA_CACHE_CONTROL, "permanent");
    return {list, ca_proplist_destroy};
}

// Errors that come from the sound itself; any other means the connection is no longer good.
bool SoundAtFault(int result) {
    return result == CA_ERROR_CORRUPT || result == CA_ERROR_NOTSUPPORTED || result == CA_ERROR_TOOBIG ||
           result == CA_ERROR_INVALID || result == CA_ERROR_NOTFOUND;
}

ca_context* OpenContext() {
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS)
        return nullptr;
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Stacklume", CA_PROP_APPLICATION_ID,
                            "org.stacklume.Stacklume", CA_PROP_APPLICATION_ICON_NAME, "stacklume",
                            CA_PROP_MEDIA_ROLE, "game", nullptr);
    if (ca_context_open(context) == CA_SUCCESS)
        return context;
    ca_context_destroy(context);
    return nullptr;
}

} // namespace

CanberraPlayer::CanberraPlayer(std::vector<HeldSound> sounds) : sounds_(std::move(sounds)) {}

CanberraPlayer::~CanberraPlayer() { Close(); }

void CanberraPlayer::Prepare() {
    if (context_ != nullptr)
        return;
    context_ = OpenContext();
    if (context_ == nullptr)
        return;
    // Without a server there is no cache: ALSA reads the file at each sound.
    for (const HeldSound& sound : sounds_)
        if (!sound.file.Path().empty())
            if (const PropertyList properties = SoundProperties(sound))
                ca_context_cache_full(context_, properties.get());
}

void CanberraPlayer::PlayIfIdle(std::size_t index) {
    const Clock::time_point now = Clock::now();
    if (playing_ != 0 && now < startedAt_ + LongestUnreportedSound)
        return;
    if (index >= sounds_.size() || sounds_[index].file.Path().empty())
        return;
    const std::uint32_t id = ++lastId_ == 0 ? ++lastId_ : lastId_;
    startedAt_ = now;
    int result = Start(index, id);
    if (result != CA_SUCCESS && !SoundAtFault(result)) {
        // The server went away (restarted, or gone with the session): look for it anew.
        Close();
        result = Start(index, id);
    }
    std::uint32_t started = id;
    if (result != CA_SUCCESS)
        playing_.compare_exchange_strong(started, 0);
}

int CanberraPlayer::Start(std::size_t index, std::uint32_t id) {
    Prepare();
    if (context_ == nullptr)
        return CA_ERROR_NODRIVER;
    const PropertyList properties = SoundProperties(sounds_[index]);
    if (!properties)
        return CA_ERROR_OOM;
    playing_ = id;
    return ca_context_play_full(context_, id, properties.get(), &CanberraPlayer::Finished, this);
}

void CanberraPlayer::Finished(ca_context*, std::uint32_t id, int, void* player) {
    // Only the end of the sound now playing frees the voice, not a late word about an older one.
    static_cast<CanberraPlayer*>(player)->playing_.compare_exchange_strong(id, 0);
}

void CanberraPlayer::Close() {
    if (context_ == nullptr)
        return;
    if (const std::uint32_t id = playing_; id != 0) {
        ca_context_cancel(context_, id);
        // The stop is sent by the connection's own thread, which closing the connection would
        // end first. A request the server answers makes sure it went: a sound by a name the
        // server does not have and that has no file (asked for in the server's cache alone).
        ca_context_play(context_, 0, CA_PROP_EVENT_ID, "stacklume-none", CA_PROP_CANBERRA_CACHE_CONTROL,
                        "volatile", nullptr);
    }
    ca_context_destroy(std::exchange(context_, nullptr));
    playing_ = 0;
}

} // namespace stacklume
