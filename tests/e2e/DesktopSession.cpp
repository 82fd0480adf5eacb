#include "DesktopSession.h"

#include "WellPixels.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <iostream>
#include <stdexcept>

namespace stacklume::e2e {

namespace {

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

DesktopSession::DesktopSession(int screenWidth, int screenHeight, WindowSystemKind kind) {
    if (!programFolder_.isValid() || !errorsFolder_.isValid())
        throw std::runtime_error("cannot make temporary folders");
    windowSystem_ = StartWindowSystem(kind, screenWidth, screenHeight);
    PrepareProgramFolder();
}

DesktopSession::~DesktopSession() {
    Stop(game_);
    // A sanitizer's report, a warning of Qt's: whatever the game said goes into the test's log.
    if (const QByteArray errors = GameErrors(); !errors.isEmpty())
        std::cerr << "The game's standard error:\n" << errors.toStdString() << std::flush;
    for (std::unique_ptr<QProcess>& other : others_)
        Stop(other);
    windowSystem_.reset();
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
    // The test may have put files there since: the player owns all of the program folder.
    windowSystem_->GiveToPlayer(ProgramFolder());
    game_ = std::make_unique<QProcess>();
    game_->setProcessEnvironment(windowSystem_->Environment());
    game_->setWorkingDirectory(ProgramFolder());
    // Into a file rather than a pipe, which would stop the game once full.
    game_->setStandardOutputFile(QProcess::nullDevice());
    game_->setStandardErrorFile(GameErrorsFile(), QIODevice::Append);
    QStringList command =
        windowSystem_->AsPlayer(launcher + QStringList{ProgramFolder() + QStringLiteral("/stacklume")});
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

QStringList DesktopSession::GameWindows(WindowKind kind) const { return windowSystem_->GameWindows(kind); }

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
    return errorsFolder_.filePath(QStringLiteral("game-errors.txt"));
}

QString DesktopSession::StartWindow(const QString& program, const QStringList& arguments,
                                    const QString& title) {
    auto& process = others_.emplace_back(std::make_unique<QProcess>());
    process->setProcessEnvironment(windowSystem_->Environment());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList command = windowSystem_->AsPlayer(QStringList{program} + arguments);
    process->start(command.takeFirst(), command);
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
    return RunTool(windowSystem_->Environment(), program, arguments);
}

QString DesktopSession::FindWindow(const QString& title) const { return windowSystem_->FindWindow(title); }

void DesktopSession::SetScale(double scale) {
    scale_ = scale;
    windowSystem_->SetScale(scale);
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
    return windowSystem_->WindowTitle(window);
}

QRect DesktopSession::WindowGeometry(const QString& window) const {
    return windowSystem_->WindowGeometry(window);
}

bool DesktopSession::IsAbove(const QString& upper, const QString& lower) const {
    const QStringList pile = windowSystem_->StackingOrder();
    return pile.indexOf(upper) > pile.indexOf(lower) && pile.indexOf(lower) >= 0 &&
           WindowGeometry(upper).intersects(WindowGeometry(lower));
}

void DesktopSession::Move(const QString& window, QPoint topLeft) { windowSystem_->Move(window, topLeft); }

void DesktopSession::Activate(const QString& window) {
    if (!WaitUntil(
            [&] {
                windowSystem_->Focus(window);
                return windowSystem_->FocusedWindow() == window;
            },
            30s))
        throw std::runtime_error("window " + window.toStdString() + " did not get the keyboard");
}

void DesktopSession::KeyDown(const QString& key) { windowSystem_->KeyDown(key); }

void DesktopSession::KeyUp(const QString& key) { windowSystem_->KeyUp(key); }

void DesktopSession::PressKey(const QString& key) { windowSystem_->PressKey(key); }

void DesktopSession::Type(const QString& text) { windowSystem_->Type(text); }

void DesktopSession::Click(QPoint point) { windowSystem_->Click(point); }

QImage DesktopSession::Screenshot() const { return windowSystem_->Screenshot(); }

void DesktopSession::RequestClose() { windowSystem_->Close(gameWindow_); }

bool DesktopSession::CloseGame() {
    if (GameRunning()) {
        RequestClose();
        if (!game_->waitForFinished(20000)) {
            // Where it stands is what a maintainer needs to find why.
            std::cerr << "The game did not end after its close; its threads:\n"
                      << RunTool(QProcessEnvironment::systemEnvironment(), QStringLiteral("gdb"),
                                 {QStringLiteral("-p"), QString::number(game_->processId()),
                                  QStringLiteral("-batch"), QStringLiteral("-ex"),
                                  QStringLiteral("thread apply all bt")})
                             .toStdString()
                      << std::flush;
            return false;
        }
    }
    // A crash on the way out, or a sanitizer's report at the exit, ends the game otherwise.
    return game_ && game_->exitStatus() == QProcess::NormalExit && game_->exitCode() == 0;
}

} // namespace stacklume::e2e
