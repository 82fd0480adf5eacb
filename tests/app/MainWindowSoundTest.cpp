#include "FakePlatform.h"
#include "MainWindow.h"

#include <QAction>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace stacklume::testing {
namespace {

// The game's sounds through SDL's disk driver, which writes what it plays, silence included,
// to a file in real time.
class MainWindowSoundTest : public ::testing::Test {
protected:
    MainWindowSoundTest() {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", Output().toLocal8Bit().constData(), 1);
    }
    ~MainWindowSoundTest() override { ::setenv("SDL_AUDIODRIVER", "dummy", 1); }

    QString Output() const { return platform.services.ProgramFolder + QStringLiteral("/output.raw"); }

    // The number of non-silent bytes written so far, once at least `length` bytes are out.
    int SoundingBytes(qint64 length) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        QByteArray bytes;
        while (bytes.size() < length && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            QFile file(Output());
            if (file.open(QIODevice::ReadOnly))
                bytes = file.readAll();
        }
        return static_cast<int>(bytes.size() - bytes.count('\0'));
    }

    // Ticks until the falling piece first touches down.
    void TickUntilLanding(MainWindow& window) {
        for (int i = 0; i < 2000 && !window.GetGame().Values().Landing; ++i) {
            platform.tickCount += 45;
            window.Timer1Timer();
        }
        ASSERT_TRUE(window.GetGame().Values().Landing);
    }

    FakePlatform platform;
};

TEST_F(MainWindowSoundTest, FirstLandingKnocks) {
    MainWindow window(platform.services);
    TickUntilLanding(window);
    EXPECT_GT(SoundingBytes(200'000), 1000);
}

TEST_F(MainWindowSoundTest, NothingSoundsWithSoundOff) {
    MainWindow window(platform.services);
    window.Menu().Sound1->trigger();
    TickUntilLanding(window);
    EXPECT_FALSE(QFile::exists(Output())) << "an output was opened";
}

} // namespace
} // namespace stacklume::testing
