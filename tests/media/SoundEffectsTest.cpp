#include "SoundEffects.h"
#include "DiskAudio.h"
#include "SoundFileError.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace stacklume {
namespace {

using test::TempFolder;
using test::Tone;
using test::WaitFor;
using test::WaveFile;

// The output the tests ask for is what the wave files hold, so the samples reach the disk
// output unchanged and can be compared one by one.
constexpr int Rate = 44100;

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

class SoundEffectsTest : public ::testing::Test {
protected:
    void UseDriver(const char* driver) { ::setenv("SDL_AUDIODRIVER", driver, 1); }

    // SDL's disk driver writes the output, silence included, to a file in real time.
    void UseDiskOutput(const char* file = "output.raw") {
        UseDriver("disk");
        outputFile_ = outputs_.Path() / file;
        ::setenv("SDL_DISKAUDIOFILE", outputFile_.c_str(), 1);
    }

    void WriteSounds(const std::vector<std::int16_t>& fourRows, const std::vector<std::int16_t>& rows,
                     const std::vector<std::int16_t>& knock) {
        sounds_.Write("brick2.wav", WaveFile(Rate, 1, fourRows));
        sounds_.Write("brick1.wav", WaveFile(Rate, 1, rows));
        sounds_.Write("knock.wav", WaveFile(Rate, 1, knock));
    }

    std::vector<std::int16_t> Output() const { return test::DiskOutput(outputFile_); }
    std::vector<std::int16_t> Sounding() const { return test::WithoutSilence(Output()); }

    bool WaitForSounding(std::size_t count) const {
        return WaitFor([&] { return Sounding().size() >= count; });
    }

    bool WaitForOutputLength(std::size_t samples) const {
        return WaitFor([&] { return Output().size() >= samples; });
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
    TempFolder outputs_;
    std::filesystem::path outputFile_;
};

TEST_F(SoundEffectsTest, EachRequestPlaysItsOwnFileWhole) {
    const auto fourRows = Tone(2205, FourRowsLevel);
    const auto rows = Tone(3000, RowsLevel);
    const auto knock = Tone(1000, KnockLevel);
    WriteSounds(fourRows, rows, knock);
    UseDiskOutput();
    SoundEffects effects(sounds_.Path());

    // Each waits for the one before to be out, so none of them is dropped.
    effects.Play(Sound::Knock, true);
    ASSERT_TRUE(WaitForSounding(knock.size()));
    effects.Play(Sound::Rows, true);
    ASSERT_TRUE(WaitForSounding(knock.size() + rows.size()));
    effects.Play(Sound::FourRows, true);
    ASSERT_TRUE(WaitForSounding(knock.size() + rows.size() + fourRows.size()));

    EXPECT_EQ(Sounding(), Concatenated({knock, rows, fourRows}));
}

// Read at start-up, decoded by the first sound: what becomes of the files afterwards is no matter.
TEST_F(SoundEffectsTest, TheFilesAsReadAtStartUpArePlayed) {
    const auto knock = Tone(Rate / 20, KnockLevel);
    WriteSounds(Tone(Rate / 20, FourRowsLevel), Tone(Rate / 20, RowsLevel), knock);
    UseDiskOutput();
    SoundEffects effects(sounds_.Path());
    sounds_.Write("knock.wav", WaveFile(Rate, 1, Tone(Rate / 10, RowsLevel)));
    std::filesystem::remove(sounds_.Path() / "brick1.wav");

    effects.Play(Sound::Knock, true);
    ASSERT_TRUE(WaitForSounding(knock.size()));
    EXPECT_EQ(Sounding(), knock);
}

TEST_F(SoundEffectsTest, ARequestWhileASoundPlaysIsDroppedNotQueuedAndNotCuttingIn) {
    const auto rows = Tone(Rate / 2, RowsLevel);
    const auto fourRows = Tone(Rate / 10, FourRowsLevel);
    WriteSounds(fourRows, rows, Tone(Rate / 10, KnockLevel));
    UseDiskOutput();
    SoundEffects effects(sounds_.Path());

    effects.Play(Sound::Rows, true);
    effects.Play(Sound::FourRows, true);
    effects.Play(Sound::Knock, true);
    // Long enough for the dropped sounds to have followed, had they been queued.
    ASSERT_TRUE(WaitForOutputLength(rows.size() * 3));
    EXPECT_EQ(Sounding(), rows);

    // Once the sound is over, the next request plays.
    effects.Play(Sound::FourRows, true);
    ASSERT_TRUE(WaitForSounding(rows.size() + fourRows.size()));
    EXPECT_EQ(Sounding(), Concatenated({rows, fourRows}));
}

TEST_F(SoundEffectsTest, SoundOffPlaysNothingAndSwitchingBackOnPlaysTheNextRequest) {
    const auto knock = Tone(Rate / 20, KnockLevel);
    WriteSounds(Tone(Rate / 20, FourRowsLevel), Tone(Rate / 20, RowsLevel), knock);
    UseDiskOutput();
    SoundEffects effects(sounds_.Path());

    PlayEach(effects, false);
    EXPECT_FALSE(std::filesystem::exists(outputFile_)) << "an output was opened";

    effects.Play(Sound::Knock, true);
    ASSERT_TRUE(WaitForSounding(knock.size()));
    EXPECT_EQ(Sounding(), knock);
}

TEST_F(SoundEffectsTest, EmptyAndBrokenFilesStartUpAndStaySilent) {
    const std::vector<std::uint8_t> wave = WaveFile(Rate, 1, Tone(Rate / 10, KnockLevel));
    sounds_.Write("brick2.wav", {});
    sounds_.Write("brick1.wav", std::vector<std::uint8_t>(4096, 0x5A));
    sounds_.Write("knock.wav", {wave.begin(), wave.begin() + 24});
    UseDiskOutput();
    SoundEffects effects(sounds_.Path());

    PlayEach(effects, true);
    EXPECT_FALSE(std::filesystem::exists(outputFile_)) << "an output was opened";
}

TEST_F(SoundEffectsTest, AMissingFileStopsTheStartUpNamingTheFirstOneMissing) {
    UseDriver("dummy");
    EXPECT_EQ(StartUpError(), OpenError("brick2.wav"));

    sounds_.Write("brick2.wav", WaveFile(Rate, 1, Tone(100, FourRowsLevel)));
    sounds_.Write("brick1.wav", WaveFile(Rate, 1, Tone(100, RowsLevel)));
    EXPECT_EQ(StartUpError(), OpenError("knock.wav"));

    // Even without a device to play on: the files are part of the game.
    UseDriver("nonexistent");
    EXPECT_EQ(StartUpError(), OpenError("knock.wav"));
}

TEST_F(SoundEffectsTest, WithoutAnAudioDeviceRequestsAreDroppedSilently) {
    WriteSounds(Tone(100, FourRowsLevel), Tone(100, RowsLevel), Tone(100, KnockLevel));
    UseDriver("nonexistent");
    std::optional<SoundEffects> effects;
    ASSERT_NO_THROW(effects.emplace(sounds_.Path()));
    EXPECT_NO_THROW(PlayEach(*effects, true));
}

TEST_F(SoundEffectsTest, EachInstanceStartsAndEndsItsOwnAudio) {
    const auto knock = Tone(Rate / 10, KnockLevel);
    const auto fourRows = Tone(Rate * 10, FourRowsLevel);
    WriteSounds(fourRows, Tone(100, RowsLevel), knock);
    UseDiskOutput("first.raw");
    const std::filesystem::path first = outputFile_;
    {
        SoundEffects effects(sounds_.Path());
        effects.Play(Sound::FourRows, true);
        ASSERT_TRUE(WaitForSounding(Rate / 10));
    } // ending the game in the middle of a long sound stops it
    const std::vector<std::int16_t> cut = test::DiskOutput(first);
    EXPECT_LT(cut.size() - std::count(cut.begin(), cut.end(), 0), fourRows.size() / 2);

    // Audio was shut down with the first instance, so the second one picks the driver anew.
    UseDiskOutput("second.raw");
    SoundEffects effects(sounds_.Path());
    effects.Play(Sound::Knock, true);
    ASSERT_TRUE(WaitForSounding(knock.size()));
    EXPECT_EQ(Sounding(), knock);
    EXPECT_EQ(test::DiskOutput(first), cut) << "the first instance played on";
}

TEST_F(SoundEffectsTest, StartingAudioLeavesTheProcessSignalsAlone) {
    WriteSounds(Tone(100, FourRowsLevel), Tone(100, RowsLevel), Tone(100, KnockLevel));
    UseDriver("dummy");
    SoundEffects effects(sounds_.Path());
    effects.Play(Sound::Knock, true);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ASSERT_EQ(::sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
}

} // namespace
} // namespace stacklume
