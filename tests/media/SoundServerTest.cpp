#include "SoundEffects.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>

namespace stacklume {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// A PulseAudio server of our own whose only output is a null sink, as a desktop has one, and a
// watch on the streams it plays. The sound effects of this process go to it.
class SoundServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        const QString runtime = folder_.filePath(QStringLiteral("runtime"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), folder_.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        server_.setProcessEnvironment(environment);
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start(QStringLiteral("pulseaudio"),
                      {"--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1", "-n",
                       "--load=module-native-protocol-unix", "--load=module-null-sink", "--log-level=error"});
        ::setenv("PULSE_SERVER", qPrintable("unix:" + runtime + "/pulse/native"), 1);
        // Without a named driver the effects go to the sound server.
        ::unsetenv("SDL_AUDIODRIVER");
        ASSERT_TRUE(WaitUntil([] { return !Pactl({"info"}).isEmpty(); })) << "the sound server did not start";
        events_.start(QStringLiteral("pactl"), {"subscribe"});
        ASSERT_TRUE(events_.waitForStarted());
    }

    void TearDown() override {
        for (QProcess* process : {&events_, &server_}) {
            process->terminate();
            process->waitForFinished();
        }
        ::unsetenv("PULSE_SERVER");
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    }

    static QString Pactl(const QStringList& arguments) {
        QProcess pactl;
        pactl.start(QStringLiteral("pactl"), arguments);
        pactl.waitForFinished();
        return QString::fromUtf8(pactl.readAllStandardOutput());
    }

    // How many streams the server has started playing so far.
    int StreamsStarted() {
        events_.waitForReadyRead(10);
        seen_ += QString::fromUtf8(events_.readAllStandardOutput());
        return static_cast<int>(seen_.count(QStringLiteral("'new' on sink-input")));
    }

    static bool Connected() {
        return Pactl({"list", "clients"})
            .contains(
                QStringLiteral("application.process.id = \"%1\"").arg(QCoreApplication::applicationPid()));
    }

    QTemporaryDir folder_;
    QProcess server_;
    QProcess events_;
    QString seen_;
};

TEST_F(SoundServerTest, SoundsPlayFromTheServerAndNothingRunsBetweenThem) {
    SoundEffects effects(STACKLUME_DATA_FOLDER);
    effects.Play(Sound::Knock, false);
    EXPECT_FALSE(Connected()) << "sound off connected to the server";

    const auto start = std::chrono::steady_clock::now();
    effects.Play(Sound::Rows, true);
    ASSERT_TRUE(WaitUntil([&] { return StreamsStarted() == 1; }));
    EXPECT_TRUE(Connected());
    effects.Play(Sound::Knock, true);
    EXPECT_EQ(Pactl({"list", "samples", "short"}).count(QStringLiteral("stacklume-")), 3) << "uploaded once";

    // brick1.wav plays for 0.82 s; a request made meanwhile was dropped.
    ASSERT_TRUE(WaitUntil([&] { return std::chrono::steady_clock::now() > start + 900ms; }));
    ASSERT_TRUE(WaitUntil([&] {
        return Pactl({"list", "sink-inputs", "short"}).isEmpty();
    })) << "a stream still runs after the sound";
    EXPECT_EQ(StreamsStarted(), 1);
    effects.Play(Sound::Knock, true);
    EXPECT_TRUE(WaitUntil([&] { return StreamsStarted() == 2; }));
}

} // namespace
} // namespace stacklume
