#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

namespace stacklume::e2e {

using namespace std::chrono_literals;

// The whole content of a file, or nothing when it cannot be read.
QByteArray ReadFile(const QString& path);

// Polls `condition` until it holds or the deadline passes; returns whether it held.
// The default is generous: the machines that run these tests are shared and may be busy.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 60s);

// Ends a process that may still run, kindly first.
void Stop(std::unique_ptr<QProcess>& process);

// Runs a command in `environment`; returns its standard output. Throws when the command cannot
// be started, crashes or does not end; its exit code is the caller's to judge (xdotool's search
// ends with 1 when it finds nothing).
QString RunTool(const QProcessEnvironment& environment, const QString& program, const QStringList& arguments);

// The PNG picture a screenshot tool writes to its standard output; throws when there is none.
QImage ShotFromTool(const QProcessEnvironment& environment, const QString& program,
                    const QStringList& arguments);

// Keeps a game started in `environment` silent: libcanberra asks a sound server that is not there,
// and never reaches past it to the machine's sound card.
void Silence(QProcessEnvironment& environment);

// Whether the tests run as root, who gives the game a player's rights when it starts it.
bool RunningAsRoot();

} // namespace stacklume::e2e
