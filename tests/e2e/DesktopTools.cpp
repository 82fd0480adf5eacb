#include "DesktopTools.h"

#include <QFile>
#include <QThread>

#include <stdexcept>

#include <unistd.h>

namespace stacklume::e2e {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QThread::msleep(50);
    }
    return true;
}

void Stop(std::unique_ptr<QProcess>& process) {
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(5000)) {
        process->kill();
        process->waitForFinished(5000);
    }
}

QString RunTool(const QProcessEnvironment& environment, const QString& program,
                const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    // Whatever a test asks of the desktop must be done: a tool that is missing, hangs or crashes
    // would otherwise pass for one that found nothing.
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        const std::string problem = process.error() == QProcess::FailedToStart ? "cannot be started"
                                    : process.state() == QProcess::NotRunning  ? "crashed"
                                                                               : "did not end in 30 seconds";
        process.kill();
        process.waitForFinished();
        throw std::runtime_error(
            (program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))).toStdString() + ": " + problem);
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage ShotFromTool(const QProcessEnvironment& environment, const QString& program,
                    const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool done = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
                      process.exitCode() == 0;
    const QImage shot = done ? QImage::fromData(process.readAllStandardOutput(), "PNG") : QImage();
    if (shot.isNull())
        throw std::runtime_error("no screenshot from " + program.toStdString() + ": " +
                                 process.readAllStandardError().toStdString());
    return shot;
}

bool RunningAsRoot() { return ::geteuid() == 0; }

void Silence(QProcessEnvironment& environment) {
    environment.insert(QStringLiteral("CANBERRA_DRIVER"), QStringLiteral("pulse"));
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
}

} // namespace stacklume::e2e
