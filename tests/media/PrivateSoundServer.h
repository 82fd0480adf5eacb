#pragma once

#include "RecordedSound.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace stacklume::test {

// A PulseAudio server of the test's own whose only output is a null sink in the test sounds'
// format (16-bit mono at 44.1 kHz), recorded sample for sample, silence included, and a watch on
// the events it announces. The sink never rewinds: a sound that starts over what was already
// mixed would otherwise be missing its beginning from the recording. The sounds of this process go to it for
// as long as it lives.
class PrivateSoundServer {
public:
    static constexpr int Rate = 44100;

    PrivateSoundServer() {
        const QString address = "unix:" + folder_.filePath(QStringLiteral("runtime/pulse/native"));
        ::setenv("PULSE_SERVER", qPrintable(address), 1);
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("HOME"), folder_.path());
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.filePath(QStringLiteral("runtime")));
        for (QProcess* process : {&server_, &events_, &recorder_})
            process->setProcessEnvironment(environment_);
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }

    ~PrivateSoundServer() {
        Resume();
        Stop();
        // Back to the tests' own setting: a server that is not there.
        ::setenv("PULSE_SERVER", "unix:/nonexistent", 1);
    }

    // Starts the server, or a new one in its place, and waits until it answers.
    bool Start() {
        server_.start(
            QStringLiteral("pulseaudio"),
            {"--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1", "-n",
             "--load=module-native-protocol-unix",
             "--load=module-null-sink sink_name=speakers rate=44100 channels=1 format=s16le norewinds=1",
             "--log-level=error"});
        if (!WaitFor([] { return !Pactl({"info"}).isEmpty(); }))
            return false;
        events_.start(QStringLiteral("pactl"), {"subscribe"});
        recorder_.start(QStringLiteral("parec"),
                        {"--device=speakers.monitor", "--format=s16le", "--rate=44100", "--channels=1",
                         "--latency-msec=20", "--raw", Recording().c_str()});
        // Ready once the watch sees a client come and the recorder records.
        const int clients = Count(QStringLiteral("'new' on client"));
        return WaitFor([&] {
            return !Pactl({"list", "source-outputs", "short"}).isEmpty() &&
                   Count(QStringLiteral("'new' on client")) > clients;
        });
    }

    // Ends the server as a crash or a restart would.
    void Stop() {
        for (QProcess* process : {&recorder_, &events_, &server_}) {
            process->terminate();
            process->waitForFinished();
        }
        Events();
    }

    void Pause() { ::kill(static_cast<pid_t>(server_.processId()), SIGSTOP); }
    void Resume() { ::kill(static_cast<pid_t>(server_.processId()), SIGCONT); }

    // How often the servers so far announced `event`, such as "'new' on sink-input".
    int Count(const QString& event) { return static_cast<int>(Events().count(event)); }
    int StreamsStarted() { return Count(QStringLiteral("'new' on sink-input")); }

    // What the server played, silence included, since it last started.
    std::vector<std::int16_t> Recorded() const { return RecordedSamples(Recording()); }
    std::vector<std::int16_t> Sounding() const { return WithoutSilence(Recorded()); }

    // Whether this process is a client of the server.
    static bool Connected() {
        return Pactl({"list", "clients"})
            .contains(
                QStringLiteral("application.process.id = \"%1\"").arg(QCoreApplication::applicationPid()));
    }

    // Whether no sound plays: the voice is then free for the next request.
    static bool NothingPlays() { return Pactl({"list", "sink-inputs", "short"}).isEmpty(); }

    static QString Pactl(const QStringList& arguments) {
        QProcess pactl;
        pactl.start(QStringLiteral("pactl"), arguments);
        pactl.waitForFinished();
        return QString::fromUtf8(pactl.readAllStandardOutput());
    }

private:
    std::filesystem::path Recording() const {
        return folder_.filePath(QStringLiteral("speakers.raw")).toStdString();
    }

    const QString& Events() {
        events_.waitForReadyRead(10);
        seen_ += QString::fromUtf8(events_.readAllStandardOutput());
        return seen_;
    }

    QTemporaryDir folder_;
    QProcessEnvironment environment_;
    QProcess server_;
    QProcess events_;
    QProcess recorder_;
    QString seen_;
};

} // namespace stacklume::test
