#include "SoundEffects.h"

#include "CanberraPlayer.h"
#include "SoundFileReader.h"

#include <QCryptographicHash>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace stacklume {

namespace {

// Far beyond any effect; the limit only keeps a wrong file from taking the memory.
constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;

// How long the game's exit waits for the thread to stop the sound: ample for a server that
// answers; one that does not is left behind, and the thread ends once it answers or goes.
constexpr std::chrono::milliseconds ExitWait(500);

// Named after the content: instances with the same sounds share the server's copies, and
// instances with other sounds never play ours.
std::string EventId(const char* fileName, const std::vector<std::uint8_t>& bytes) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
        QCryptographicHash::Sha256);
    return "stacklume-" + std::filesystem::path(fileName).stem().string() + "-" +
           digest.toHex().left(16).toStdString();
}

std::vector<HeldSound> ReadSounds(const std::filesystem::path& folder) {
    std::vector<HeldSound> sounds;
    for (const char* name : SoundEffects::FileNames) {
        const std::vector<std::uint8_t> bytes = ReadSoundFile(folder / name, MaxFileBytes);
        sounds.push_back({EventId(name, bytes), MemoryFile(name, bytes)});
    }
    return sounds;
}

} // namespace

struct SoundEffects::Worker {
    explicit Worker(std::vector<HeldSound> sounds) : player(std::move(sounds)) {}

    struct Request {
        std::optional<std::size_t> sound; // none: only prepare
    };

    void Run() {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return request.has_value() || stopping; });
            if (stopping)
                break;
            const Request next = *std::exchange(request, std::nullopt);
            busy = true;
            lock.unlock();
            if (next.sound)
                player.PlayIfIdle(*next.sound);
            else
                player.Prepare();
            lock.lock();
            busy = false;
        }
        lock.unlock();
        player.Close();
        lock.lock();
        ended = true;
        endedChange.notify_all();
    }

    // From the interface thread: never waits for the thread, which holds the lock only to
    // take a request.
    void Ask(Request next) {
        const std::scoped_lock lock(mutex);
        if (busy || request)
            return;
        request = next;
        wake.notify_one();
    }

    CanberraPlayer player; // used by the thread alone
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable endedChange;
    std::optional<Request> request;
    bool busy = false;
    bool stopping = false;
    bool ended = false;
};

SoundEffects::SoundEffects(const std::filesystem::path& folder)
    : worker_(std::make_shared<Worker>(ReadSounds(folder))), thread_([worker = worker_] { worker->Run(); }) {}

SoundEffects::~SoundEffects() {
    std::unique_lock lock(worker_->mutex);
    worker_->stopping = true;
    worker_->wake.notify_one();
    const bool ended = worker_->endedChange.wait_for(lock, ExitWait, [this] { return worker_->ended; });
    lock.unlock();
    if (ended)
        thread_.join();
    else
        thread_.detach();
}

void SoundEffects::Prepare() { worker_->Ask({}); }

void SoundEffects::Play(Sound sound, bool soundOn) {
    if (soundOn)
        worker_->Ask({static_cast<std::size_t>(sound)});
}

} // namespace stacklume
