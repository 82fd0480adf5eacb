#include "SoundEffects.h"

#include "PrivateSoundServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>

namespace stacklume {
namespace {

using namespace std::chrono_literals;
using test::PrivateSoundServer;
using test::WaitFor;

// The sound effects of this process against a sound server that restarts, stalls and resumes.
class SoundServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Start()) << "the sound server did not start"; }

    int Uploads() {
        return server_.Count(QStringLiteral("'new' on sample-cache")) +
               server_.Count(QStringLiteral("'change' on sample-cache"));
    }

    // Plays knocks until `count` more streams have started: a request made while the last one
    // is still being handled is dropped, so it is asked again.
    bool KnocksHeard(SoundEffects& effects, int count) {
        const int wanted = server_.StreamsStarted() + count;
        return WaitFor([&] {
            effects.Play(Sound::Knock, true);
            return server_.StreamsStarted() >= wanted;
        });
    }

    // Waits until no sound plays, so that the next request goes to the server.
    static bool Quiet() { return WaitFor(PrivateSoundServer::NothingPlays); }

    // Whether `call` returns while the server stands still; if it does not, the server is
    // resumed to let it end.
    bool ReturnsWhileStopped(const std::function<void()>& call) {
        std::future<void> done = std::async(std::launch::async, call);
        const bool returned = WaitFor([&] { return done.wait_for(0s) == std::future_status::ready; });
        server_.Resume();
        return returned;
    }

    PrivateSoundServer server_;
};

TEST_F(SoundServerTest, SoundsPlayFromTheServerAndNothingRunsBetweenThem) {
    SoundEffects effects(STACKLUME_DATA_FOLDER);
    effects.Play(Sound::Knock, false);
    EXPECT_FALSE(PrivateSoundServer::Connected()) << "sound off connected to the server";

    ASSERT_TRUE(KnocksHeard(effects, 1));
    EXPECT_TRUE(PrivateSoundServer::Connected());
    ASSERT_TRUE(Quiet()) << "a stream still runs after the sound";
    ASSERT_TRUE(KnocksHeard(effects, 2));
    effects.Play(Sound::Rows, true);
    effects.Play(Sound::FourRows, true);
    ASSERT_TRUE(Quiet());
    EXPECT_EQ(Uploads(), 3) << "each sound uploaded once";
}

TEST_F(SoundServerTest, AServerRestartedMidGameHearsTheNextSound) {
    SoundEffects effects(STACKLUME_DATA_FOLDER);
    effects.Prepare();
    ASSERT_TRUE(KnocksHeard(effects, 3));

    server_.Stop();
    ASSERT_TRUE(server_.Start());
    const int before = server_.StreamsStarted();
    effects.Play(Sound::Knock, true);
    EXPECT_TRUE(WaitFor([&] { return server_.StreamsStarted() == before + 1; }))
        << "the new server was not found";
    EXPECT_TRUE(WaitFor([&] { return server_.Sounding().size() > 1000; })) << "the knock was not heard";
}

TEST_F(SoundServerTest, AStoppedServerHoldsNothingAndIsHeardAgainOnceResumed) {
    SoundEffects effects(STACKLUME_DATA_FOLDER);
    effects.Prepare();
    ASSERT_TRUE(KnocksHeard(effects, 1));
    ASSERT_TRUE(Quiet());

    server_.Pause();
    EXPECT_TRUE(ReturnsWhileStopped([&] {
        for (int landing = 0; landing < 20; ++landing)
            effects.Play(Sound::Knock, true);
    })) << "a request waited for the server";
    EXPECT_TRUE(KnocksHeard(effects, 2)) << "no sound after the server resumed";
}

TEST_F(SoundServerTest, TheGameEndsWhileTheServerStandsStill) {
    std::optional<SoundEffects> effects(std::in_place, STACKLUME_DATA_FOLDER);
    effects->Prepare();
    ASSERT_TRUE(KnocksHeard(*effects, 1));
    ASSERT_TRUE(Quiet());

    server_.Pause();
    effects->Play(Sound::FourRows, true); // the thread now waits for the server
    EXPECT_TRUE(ReturnsWhileStopped([&] { effects.reset(); })) << "the exit waited for the server";
}

} // namespace
} // namespace stacklume
