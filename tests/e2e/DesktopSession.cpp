#include "DesktopSession.h"

#include "WellPixels.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <iostream>
#include <stdexcept>

#include <unistd.h>

namespace stacklume::e2e {

namespace {

void Stop(std::unique_ptr<QProcess>& process) {
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(5000)) {
        process->kill();
        process->waitForFinished(5000);
    }
}

void CopyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator entries(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir())
            CopyFolder(entry.filePath(), target);
        else
            QFile::copy(entry.filePath(), target);
    }
}

} // namespace

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

DesktopSession::DesktopSession(int screenWidth, int screenHeight) {
    if (!programFolder_.isValid() || !runtimeFolder_.isValid())
        throw std::runtime_error("cannot make temporary folders");
    StartServer(screenWidth, screenHeight);
    StartWindowManager();
    PrepareProgramFolder();
}

DesktopSession::~DesktopSession() {
    Stop(game_);
    // A sanitizer's report, a warning of Qt's: whatever the game said goes into the test's log.
    if (const QByteArray errors = GameErrors(); !errors.isEmpty())
        std::cerr << "The game's standard error:\n" << errors.toStdString() << std::flush;
    for (std::unique_ptr<QProcess>& other : others_)
        Stop(other);
    Stop(windowManager_);
    Stop(server_);
}

void DesktopSession::StartServer(int width, int height) {
    server_ = std::make_unique<QProcess>();
    // -displayfd 1: the server picks a free display and writes its number to standard output.
    server_->start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(width).arg(height),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    const bool ready = WaitUntil([&] {
        number += server_->readAllStandardOutput();
        server_->waitForReadyRead(50);
        return number.contains('\n') || server_->state() == QProcess::NotRunning;
    });
    if (!ready || !number.contains('\n'))
        throw std::runtime_error("Xvfb did not start");
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("DISPLAY"), display_);
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder_.path());
    // Silent: no sound server, and no sound card reached past it.
    environment_.insert(QStringLiteral("CANBERRA_DRIVER"), QStringLiteral("pulse"));
    environment_.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    environment_.remove(QStringLiteral("QT_QPA_PLATFORM"));
}

void DesktopSession::StartWindowManager() {
    // On a loaded machine openbox has now and then stayed silent for a whole minute after its
    // start while it usually takes a fifth of a second: a fresh start gets it going.
    QString report;
    for (int attempt = 0; attempt < 3; ++attempt) {
        Stop(windowManager_);
        windowManager_ = std::make_unique<QProcess>();
        windowManager_->setProcessEnvironment(environment_);
        windowManager_->setProcessChannelMode(QProcess::MergedChannels);
        windowManager_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        const bool ready = WaitUntil(
            [this] {
                return Run(QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains(QStringLiteral("window id"));
            },
            20s);
        if (ready)
            return;
        report += QStringLiteral("\nattempt %1: openbox %2: %3")
                      .arg(attempt + 1)
                      .arg(windowManager_->state() == QProcess::NotRunning ? QStringLiteral("ended")
                                                                           : QStringLiteral("running"))
                      .arg(QString::fromLocal8Bit(windowManager_->readAll()).trimmed());
    }
    throw std::runtime_error(("openbox did not start" + report).toStdString());
}

void DesktopSession::PrepareProgramFolder() {
    const QString executable = QStringLiteral(STACKLUME_EXECUTABLE);
    if (!QFile::copy(executable, ProgramFolder() + QStringLiteral("/stacklume")))
        throw std::runtime_error("cannot copy the game into the program folder");
    CopyFolder(QStringLiteral(STACKLUME_DATA_FOLDER), ProgramFolder());
}

void DesktopSession::StartGame() {
    LaunchGame();
    FindGameWindow();
}

void DesktopSession::LaunchGame(const QStringList& launcher) {
    game_ = std::make_unique<QProcess>();
    game_->setProcessEnvironment(environment_);
    game_->setWorkingDirectory(ProgramFolder());
    // Into a file rather than a pipe, which would stop the game once full.
    game_->setStandardOutputFile(QProcess::nullDevice());
    game_->setStandardErrorFile(GameErrorsFile(), QIODevice::Append);
    QStringList command = launcher;
    command.append(ProgramFolder() + QStringLiteral("/stacklume"));
    // Root may write where a player may not: the game goes without that power, as a player's would.
    if (::geteuid() == 0)
        command = QStringList{QStringLiteral("setpriv"),
                              QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                              QStringLiteral("--")} +
                  command;
    game_->start(command.takeFirst(), command);
    if (!game_->waitForStarted(10000))
        throw std::runtime_error("the game did not start");
}

void DesktopSession::FindGameWindow() {
    WaitForGameWindow();
    Activate(gameWindow_);
}

void DesktopSession::WaitForGameWindow() {
    if (!WaitUntil([this] {
            gameWindow_ = GameWindows(WindowKind::Main).value(0);
            return !gameWindow_.isEmpty();
        }))
        throw std::runtime_error("the game's window did not appear");
}

QStringList DesktopSession::GameWindows(WindowKind kind) const {
    QStringList found;
    const QStringList windows =
        Run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--class"), QStringLiteral("^Stacklume$")})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        const QString type = Run(QStringLiteral("xprop"),
                                 {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_WINDOW_TYPE")});
        if (type.isEmpty())
            continue; // gone since it was listed
        const WindowKind windowKind = type.contains(QStringLiteral("_MENU"))     ? WindowKind::Menu
                                      : type.contains(QStringLiteral("_DIALOG")) ? WindowKind::Dialog
                                                                                 : WindowKind::Main;
        if (windowKind == kind)
            found.append(window);
    }
    return found;
}

QString DesktopSession::WaitForErrorBox() const {
    // The error box is the one dialog titled as the game.
    QString box;
    if (!WaitUntil([&] {
            for (const QString& dialog : GameWindows(WindowKind::Dialog))
                if (WindowTitle(dialog) == QStringLiteral("Stacklume"))
                    box = dialog;
            return !box.isEmpty();
        }))
        throw std::runtime_error("no error box appeared");
    return box;
}

void DesktopSession::AnswerErrorBox(const QString& box) {
    Activate(box);
    PressKey(QStringLiteral("Return"));
    if (!WaitUntil([&] { return !GameWindows(WindowKind::Dialog).contains(box); }))
        throw std::runtime_error("the error box stayed after its OK");
}

std::optional<int> DesktopSession::WaitForGameExit(std::chrono::milliseconds deadline) {
    if (!game_)
        return std::nullopt;
    game_->waitForFinished(static_cast<int>(deadline.count()));
    if (game_->state() != QProcess::NotRunning || game_->exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return game_->exitCode();
}

QByteArray DesktopSession::GameErrors() const { return ReadFile(GameErrorsFile()); }

QString DesktopSession::GameErrorsFile() const {
    return runtimeFolder_.filePath(QStringLiteral("game-errors.txt"));
}

QString DesktopSession::StartWindow(const QString& program, const QStringList& arguments,
                                    const QString& title) {
    auto& process = others_.emplace_back(std::make_unique<QProcess>());
    process->setProcessEnvironment(environment_);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, arguments);
    if (!process->waitForStarted(10000))
        throw std::runtime_error("cannot start " + program.toStdString());
    QString window;
    if (!WaitUntil([&] {
            window = FindWindow(title);
            return !window.isEmpty();
        }))
        throw std::runtime_error("the window of " + program.toStdString() + " did not appear");
    return window;
}

bool DesktopSession::GameRunning() const { return game_ && game_->state() != QProcess::NotRunning; }

QString DesktopSession::Run(const QString& program, const QStringList& arguments) const {
    QProcess process;
    process.setProcessEnvironment(environment_);
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

QString DesktopSession::FindWindow(const QString& title) const {
    const QString pattern = QStringLiteral("^") + QRegularExpression::escape(title) + QStringLiteral("$");
    const QStringList found =
        Run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return found.isEmpty() ? QString() : found.last();
}

void DesktopSession::SetScale(double scale) {
    scale_ = scale;
    environment_.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
}

QPoint DesktopSession::WellOrigin() const {
    constexpr int ClientHeight = 563;
    const QRect window = WindowGeometry(gameWindow_);
    // The window's logical height is whole; Qt rounds what it places to the nearest pixel.
    const int menuBar = qRound(window.height() / scale_) - ClientHeight;
    return window.topLeft() + QPoint(qRound((76 + 2) * scale_), qRound((menuBar + 44 + 2) * scale_));
}

QImage DesktopSession::WellShot() const {
    // The window manager may still be placing the window, and the game centres it again once framed.
    QImage shot;
    QPoint origin;
    if (!WaitUntil([&] {
            origin = WellOrigin();
            shot = Screenshot();
            return WellOrigin() == origin;
        }))
        throw std::runtime_error("the game's window never stood still for a screenshot");
    return shot.copy(QRect(origin, QSize(288, 480) * scale_));
}

QImage DesktopSession::WaitForPiece() const {
    QImage shot;
    const bool seen = WaitUntil([&] {
        shot = WellShot();
        return WellPixels(shot).HasColouredBrickInRows(0, 18);
    });
    return seen ? shot : QImage();
}

bool DesktopSession::GameStandsStill() const {
    if (game_ && !GameRunning())
        throw std::runtime_error("the game has ended");
    const QRect caption(0, 160, 288, 100);
    const QImage first = WellShot();
    const auto differs = [&](const QImage& shot) {
        for (int y = 0; y < first.height(); ++y)
            for (int x = 0; x < first.width(); ++x)
                if (!caption.contains(x, y) && first.pixel(x, y) != shot.pixel(x, y))
                    return true;
        return false;
    };
    // Longer than the landing grace time, so a piece resting under the caption has locked and
    // the next one shows at the top.
    const auto end = std::chrono::steady_clock::now() + 1500ms;
    for (int shots = 1; shots < 3 || std::chrono::steady_clock::now() < end; ++shots)
        if (differs(WellShot()))
            return false;
    return true;
}

QString DesktopSession::WindowTitle(const QString& window) const {
    return Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window}).trimmed();
}

QRect DesktopSession::WindowGeometry(const QString& window) const {
    // xwininfo reports the client window itself; xdotool's geometry is off by the frame.
    const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    auto field = [&](const QString& name) {
        const QRegularExpressionMatch found =
            QRegularExpression(name + QStringLiteral(":\\s*(-?\\d+)")).match(info);
        // A window that has gone (a crashed game's) has no geometry, not an empty one.
        if (!found.hasMatch())
            throw std::runtime_error("window " + window.toStdString() + " has no geometry: has it gone?");
        return found.captured(1).toInt();
    };
    return {field(QStringLiteral("Absolute upper-left X")), field(QStringLiteral("Absolute upper-left Y")),
            field(QStringLiteral("Width")), field(QStringLiteral("Height"))};
}

void DesktopSession::Activate(const QString& window) {
    if (!WaitUntil(
            [&] {
                Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), window});
                return Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).trimmed() ==
                       window;
            },
            30s))
        throw std::runtime_error("window " + window.toStdString() + " did not get the keyboard");
}

void DesktopSession::KeyDown(const QString& key) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("keydown"), key});
}

void DesktopSession::KeyUp(const QString& key) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("keyup"), key});
}

void DesktopSession::PressKey(const QString& key) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

void DesktopSession::Type(const QString& text) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("type"), text});
}

void DesktopSession::Click(QPoint point) {
    Run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
         QStringLiteral("click"), QStringLiteral("1")});
}

QImage DesktopSession::Screenshot() const {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.start(QStringLiteral("import"),
                  {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    const bool done = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
                      process.exitCode() == 0;
    const QImage shot = done ? QImage::fromData(process.readAllStandardOutput(), "PNG") : QImage();
    if (shot.isNull())
        throw std::runtime_error("no screenshot: " + process.readAllStandardError().toStdString());
    return shot;
}

void DesktopSession::RequestClose() {
    Run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), gameWindow_});
}

bool DesktopSession::CloseGame() {
    if (GameRunning()) {
        RequestClose();
        if (!game_->waitForFinished(20000))
            return false;
    }
    // A crash on the way out, or a sanitizer's report at the exit, ends the game otherwise.
    return game_ && game_->exitStatus() == QProcess::NormalExit && game_->exitCode() == 0;
}

} // namespace stacklume::e2e
