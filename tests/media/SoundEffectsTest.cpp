#include "SoundEffects.h"
#include "PrivateSoundServer.h"
#include "SoundFileError.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace stacklume {
namespace {

using test::TempFolder;
using test::Tone;
using test::WaitFor;
using test::WaveFile;

constexpr int Rate = test::PrivateSoundServer::Rate;

// Distinct levels tell the three sounds apart in the output.
constexpr std::int16_t FourRowsLevel = 3000;
constexpr std::int16_t RowsLevel = 6000;
constexpr std::int16_t KnockLevel = 9000;

// Asks for each sound in turn, without waiting.
void PlayEach(SoundEffects& effects, bool soundOn) {
    for (const Sound sound : {Sound::FourRows, Sound::Rows, Sound::Knock})
        effects.Play(sound, soundOn);
}

std::vector<std::int16_t> Concatenated(std::initializer_list<std::vector<std::int16_t>> parts) {
    std::vector<std::int16_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// What the sounds' own server plays, recorded sample for sample: the test sounds are in its
// output's format, so they reach the recording unchanged.
class SoundEffectsTest : public ::testing::Test {
protected:
    void StartServer() { ASSERT_TRUE(server_.Start()) << "the sound server did not start"; }

    void WriteSounds(const std::vector<std::int16_t>& fourRows, const std::vector<std::int16_t>& rows,
                     const std::vector<std::int16_t>& knock) {
        sounds_.Write("brick2.wav", WaveFile(Rate, 1, fourRows));
        sounds_.Write("brick1.wav", WaveFile(Rate, 1, rows));
        sounds_.Write("knock.wav", WaveFile(Rate, 1, knock));
    }

    std::vector<std::int16_t> Sounding() { return server_.Sounding(); }

    bool WaitForSounding(std::size_t count) {
        return WaitFor([&] { return Sounding().size() >= count; });
    }

    bool WaitForRecordingToGrow(std::size_t samples) {
        const std::size_t wanted = server_.Recorded().size() + samples;
        return WaitFor([&] { return server_.Recorded().size() >= wanted; });
    }

    // Asks until a stream starts: a request that finds the thread still busy with the last one
    // is dropped. Asked again only after a while, as the server's word of a stream can come
    // late on a busy machine, and a sound asked for twice would play twice.
    bool Played(SoundEffects& effects, Sound sound) {
        const int wanted = server_.StreamsStarted() + 1;
        for (int request = 0; request < 30; ++request) {
            effects.Play(sound, true);
            const auto askAgain = std::chrono::steady_clock::now() + std::chrono::seconds(1);
            while (std::chrono::steady_clock::now() < askAgain)
                if (server_.StreamsStarted() >= wanted)
                    return true;
        }
        return false;
    }

    std::string StartUpError() const {
        try {
            SoundEffects effects(sounds_.Path());
        } catch (const SoundFileError& error) {
            return error.what();
        }
        return "no error";
    }

    std::string OpenError(const char* name) const {
        return "Impossible d'ouvrir le fichier \"" + (sounds_.Path() / name).string() + "\". " +
               std::strerror(ENOENT);
    }

    TempFolder sounds_;
    test::PrivateSoundServer server_;
};

TEST_F(SoundEffectsTest, EachRequestPlaysItsOwnFileWhole) {
    const auto fourRows = Tone(2205, FourRowsLevel);
    const auto rows = Tone(3000, RowsLevel);
    const auto knock = Tone(1000, KnockLevel);
    WriteSounds(fourRows, rows, knock);
    StartServer();
    SoundEffects effects(sounds_.Path());

    // Each waits for the one before to be out, so none of them is dropped.
    ASSERT_TRUE(Played(effects, Sound::Knock));
    ASSERT_TRUE(WaitForSounding(knock.size()));
    ASSERT_TRUE(Played(effects, Sound::Rows));
    ASSERT_TRUE(WaitForSounding(knock.size() + rows.size()));
    ASSERT_TRUE(Played(effects, Sound::FourRows));
    ASSERT_TRUE(WaitForSounding(knock.size() + rows.size() + fourRows.size()));

    EXPECT_EQ(Sounding(), Concatenated({knock, rows, fourRows}));
}

// Read at start-up: what becomes of the files afterwards is no matter.
TEST_F(SoundEffectsTest, TheFilesAsReadAtStartUpArePlayed) {
    const auto knock = Tone(Rate / 20, KnockLevel);
    WriteSounds(Tone(Rate / 20, FourRowsLevel), Tone(Rate / 20, RowsLevel), knock);
    StartServer();
    SoundEffects effects(sounds_.Path());
    sounds_.Write("knock.wav", WaveFile(Rate, 1, Tone(Rate / 10, RowsLevel)));
    std::filesystem::remove(sounds_.Path() / "brick1.wav");

    ASSERT_TRUE(Played(effects, Sound::Knock));
    ASSERT_TRUE(WaitForSounding(knock.size()));
    ASSERT_TRUE(WaitForRecordingToGrow(Rate / 5));
    EXPECT_EQ(Sounding(), knock);
}

TEST_F(SoundEffectsTest, ARequestWhileASoundPlaysIsDroppedNotQueuedAndNotCuttingIn) {
    // Long enough to be still playing when the test, on a busy machine, asks for the next ones.
    const auto rows = Tone(Rate * 3 / 2, RowsLevel);
    const auto fourRows = Tone(Rate / 10, FourRowsLevel);
    WriteSounds(fourRows, rows, Tone(Rate / 10, KnockLevel));
    StartServer();
    SoundEffects effects(sounds_.Path());

    ASSERT_TRUE(Played(effects, Sound::Rows));
    effects.Play(Sound::FourRows, true);
    effects.Play(Sound::Knock, true);
    // Long enough for the dropped sounds to have followed, had they been queued.
    ASSERT_TRUE(WaitForRecordingToGrow(rows.size() * 2));
    EXPECT_EQ(Sounding(), rows);

    // Once the sound is over, the next request plays.
    ASSERT_TRUE(Played(effects, Sound::FourRows));
    ASSERT_TRUE(WaitForSounding(rows.size() + fourRows.size()));
    EXPECT_EQ(Sounding(), Concatenated({rows, fourRows}));
}

TEST_F(SoundEffectsTest, SoundOffPlaysNothingAndSwitchingBackOnPlaysTheNextRequest) {
    const auto knock = Tone(Rate / 20, KnockLevel);
    WriteSounds(Tone(Rate / 20, FourRowsLevel), Tone(Rate / 20, RowsLevel), knock);
    StartServer();
    SoundEffects effects(sounds_.Path());

    PlayEach(effects, false);
    ASSERT_TRUE(WaitForRecordingToGrow(Rate / 2));
    EXPECT_FALSE(test::PrivateSoundServer::Connected());
    EXPECT_TRUE(Sounding().empty());

    ASSERT_TRUE(Played(effects, Sound::Knock));
    ASSERT_TRUE(WaitForSounding(knock.size()));
    EXPECT_EQ(Sounding(), knock);
}

TEST_F(SoundEffectsTest, EmptyAndBrokenFilesStartUpAndStaySilent) {
    const std::vector<std::uint8_t> wave = WaveFile(Rate, 1, Tone(Rate / 10, KnockLevel));
    sounds_.Write("brick2.wav", {});
    sounds_.Write("brick1.wav", std::vector<std::uint8_t>(4096, 0x5A));
    sounds_.Write("knock.wav", {wave.begin(), wave.begin() + 24});
    StartServer();
    SoundEffects effects(sounds_.Path());
    effects.Prepare();
    ASSERT_TRUE(WaitFor(test::PrivateSoundServer::Connected));

    for (const Sound sound : {Sound::FourRows, Sound::Rows, Sound::Knock}) {
        effects.Play(sound, true);
        ASSERT_TRUE(WaitForRecordingToGrow(Rate / 4));
    }
    EXPECT_EQ(server_.StreamsStarted(), 0);
    EXPECT_TRUE(Sounding().empty());
}

TEST_F(SoundEffectsTest, AMissingFileStopsTheStartUpNamingTheFirstOneMissing) {
    EXPECT_EQ(StartUpError(), OpenError("brick2.wav"));

    sounds_.Write("brick2.wav", WaveFile(Rate, 1, Tone(100, FourRowsLevel)));
    sounds_.Write("brick1.wav", WaveFile(Rate, 1, Tone(100, RowsLevel)));
    // Even without a server to play on: the files are part of the game.
    EXPECT_EQ(StartUpError(), OpenError("knock.wav"));
}

TEST_F(SoundEffectsTest, WithoutASoundServerRequestsAreDroppedSilently) {
    WriteSounds(Tone(100, FourRowsLevel), Tone(100, RowsLevel), Tone(100, KnockLevel));
    std::optional<SoundEffects> effects;
    ASSERT_NO_THROW(effects.emplace(sounds_.Path()));
    effects->Prepare();
    // Landings spread out as in a game, so that the thread tries to play some of them.
    for (int landing = 0; landing < 10; ++landing) {
        const auto next = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
        ASSERT_TRUE(WaitFor([&] { return std::chrono::steady_clock::now() > next; }));
        EXPECT_NO_THROW(PlayEach(*effects, true));
    }
}

TEST_F(SoundEffectsTest, EndingTheGameStopsItsSound) {
    const auto fourRows = Tone(Rate * 10, FourRowsLevel);
    WriteSounds(fourRows, Tone(100, RowsLevel), Tone(100, KnockLevel));
    StartServer();
    {
        SoundEffects effects(sounds_.Path());
        ASSERT_TRUE(Played(effects, Sound::FourRows));
    } // ending the game in the middle of a long sound stops it
    // Six seconds on, a sound played on would fill most of them; the server may still play out
    // what it had mixed ahead.
    ASSERT_TRUE(WaitForRecordingToGrow(Rate * 6));
    EXPECT_LT(Sounding().size(), static_cast<std::size_t>(Rate * 3));
}

} // namespace
} // namespace stacklume
