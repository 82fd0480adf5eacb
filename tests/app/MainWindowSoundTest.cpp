#include "FakePlatform.h"
#include "MainWindow.h"
#include "Moves.h"
#include "PrivateSoundServer.h"
#include "TempFolder.h"

#include <QFile>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <tuple>
#include <vector>

namespace stacklume::testing {
namespace {

using test::Tone;
using test::WaitFor;

// Each sound a tone of its own level, so that what is heard tells which sound it was.
const std::vector<std::int16_t> Knock = Tone(441, 9000);
const std::vector<std::int16_t> Rows = Tone(4410, 6000);

// The game's sounds through a sound server of the test's own, which records what it plays.
class MainWindowSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Start()) << "the sound server did not start";
        sounds_.Write("brick2.wav", test::WaveFile(44100, 1, Tone(4410, 3000)));
        sounds_.Write("brick1.wav", test::WaveFile(44100, 1, Rows));
        sounds_.Write("knock.wav", test::WaveFile(44100, 1, Knock));
        platform.services.CurrentFolder = QString::fromStdString(sounds_.Path().string());
    }
    std::vector<std::int16_t> Sounding() const { return server_.Sounding(); }

    void Tick(MainWindow& window, std::set<int> keys) {
        platform.keys.down = std::move(keys);
        platform.tickCount += 45;
        window.Timer1Timer();
    }
    // Ticks until the falling piece touches down, or with `landing` false, until it locks.
    void TickUntilLanding(MainWindow& window, bool landing = true) {
        for (int i = 0; i < 2000 && window.GetGame().Values().Landing != landing; ++i)
            Tick(window, {});
        ASSERT_EQ(window.GetGame().Values().Landing, landing);
    }

    // Drops each piece, unturned, where it comes to rest lowest, until rows are cleared. Every
    // landing is left to knock whole before the piece locks. Returns the landings.
    std::size_t PlayUntilRowsClear(MainWindow& window) {
        const Game& game = window.GetGame();
        std::size_t landings = 0;
        while (game.Values().Score == 0 && window.Timer1->isActive() && landings < 100 && !HasFailure()) {
            Piece piece = game.CurrentPiece();
            const ColumnSpan filled = FilledColumns(piece.Shape);
            int lowestX = piece.X;
            int lowest = 0;
            for (piece.X = -filled.MinCol; piece.X + filled.MaxCol < WellColumns; ++piece.X)
                if (const int row = FindLandingRow(game.CurrentWell(), piece, piece.Y); row > lowest)
                    std::tie(lowest, lowestX) = std::pair(row, piece.X);
            const int side = lowestX < game.CurrentPiece().X ? VirtualKey::Left : VirtualKey::Right;
            for (int i = 0; i < 50 && game.CurrentPiece().X != lowestX && !game.Values().Landing; ++i)
                Tick(window, {side});
            Tick(window, {VirtualKey::Space}); // held on, it would hold the piece up
            TickUntilLanding(window);
            ++landings;
            EXPECT_TRUE(WaitFor([&] { return Sounding().size() >= landings * Knock.size(); }));
            // Heard, and over for the game too, or the next landing's knock would give way.
            EXPECT_TRUE(WaitFor(test::PrivateSoundServer::NothingPlays));
            TickUntilLanding(window, false);
        }
        return landings;
    }

    const test::TempFolder sounds_;
    test::PrivateSoundServer server_;
    FakePlatform platform;
};

TEST_F(MainWindowSoundTest, EveryLandingKnocksAndClearedRowsSoundAndScore) {
    MainWindow window(platform.services);
    window.StartPlay();
    // The sounds are in the server before the first landing needs them.
    ASSERT_TRUE(WaitFor([&] { return server_.Count(QStringLiteral("'new' on sample-cache")) == 3; }));
    const std::size_t landings = PlayUntilRowsClear(window);
    ASSERT_EQ(window.GetGame().Values().Score, 20) << "one row cleared, the second above the floor";
    platform.timeOfDay = platform.timeOfDay.addSecs(65);
    window.Timer2Timer();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("20 | 0:01:05"));

    std::vector<std::int16_t> heard;
    for (std::size_t i = 0; i < landings; ++i)
        heard.insert(heard.end(), Knock.begin(), Knock.end());
    heard.insert(heard.end(), Rows.begin(), Rows.end());
    ASSERT_TRUE(WaitFor([&] { return Sounding().size() >= heard.size(); }));
    EXPECT_EQ(Sounding(), heard);
}

TEST_F(MainWindowSoundTest, NothingSoundsWithSoundOff) {
    QFile settings(platform.services.ProgramFolder + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly) && settings.write("[config]\nsound=0\n") > 0);
    settings.close();
    MainWindow window(platform.services);
    window.StartPlay();
    TickUntilLanding(window);
    const std::size_t recorded = server_.Recorded().size();
    ASSERT_TRUE(WaitFor([&] { return server_.Recorded().size() > recorded + 22050; }));
    EXPECT_FALSE(test::PrivateSoundServer::Connected());
    EXPECT_TRUE(Sounding().empty());
}

} // namespace
} // namespace stacklume::testing
