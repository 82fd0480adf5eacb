#pragma once

#include "DesktopTools.h"
#include "WindowSystem.h"

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace stacklume::e2e {

// A private desktop of either window system, a fresh program folder holding the game and its
// data files, and the game itself: the world a player sees. Everything started is ended when
// the session goes away. What cannot be done as asked (a screenshot, giving a window the
// keyboard) throws, which fails the test.
class DesktopSession {
public:
    DesktopSession(int screenWidth, int screenHeight, WindowSystemKind kind = WindowSystemKind::X11);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    QString ProgramFolder() const { return programFolder_.path(); }
    // What a program needs to show its windows on the session's desktop.
    QProcessEnvironment Environment() const { return windowSystem_->Environment(); }

    // The desktop's scale for the game started after this, 1.25 for 125 %: on X11 Qt's own
    // (QT_SCALE_FACTOR, as on a scaled X11 desktop), on Wayland the compositor's, the screen
    // growing by as much. WellShot then gives the well in the screen's own pixels.
    void SetScale(double scale);

    // Starts the game in the program folder and waits for its main window, which is given the
    // keyboard. The game has a player's rights, also when the tests run as root.
    void StartGame();
    // Starts the game, through `launcher` when one is given (a command that runs the one after
    // its arguments, as prlimit does), and waits for nothing.
    void LaunchGame(const QStringList& launcher = {});
    // Waits for the game's main window and gives it the keyboard.
    void FindGameWindow();
    // Waits for the game's main window, leaving the keyboard where it is.
    void WaitForGameWindow();
    bool GameRunning() const;
    QString GameWindow() const { return gameWindow_; }
    // The game's visible windows of one kind, in the order the window system lists them.
    using WindowKind = e2e::WindowKind;
    QStringList GameWindows(WindowKind kind) const;
    // Waits for the game's error box and returns it.
    QString WaitForErrorBox() const;
    // Presses the error box's OK and waits until it has gone.
    void AnswerErrorBox(const QString& box);
    // The exit code of a game that ended by itself, or nothing when it crashed or still runs.
    std::optional<int> WaitForGameExit(std::chrono::milliseconds deadline = 60s);
    // What the game wrote to its standard error so far (it is passed on to the test's as well).
    QByteArray GameErrors() const;

    // The well as the player sees it, at the smallest size and at the scale set. The window's
    // position is read before and after the screenshot, and a shot counts only if it did not
    // move between them.
    QImage WellShot() const;
    // Waits for a piece in the well: the first shot that shows one, or a null image when none came.
    QImage WaitForPiece() const;
    // Whether the game stands still (over or paused): over a series of shots taken for longer
    // than the landing grace time, nothing in the well moves but the caption over its middle.
    // A game of the session's that has ended throws.
    bool GameStandsStill() const;

    // Starts another program on the display and waits for its window titled `title`, which is
    // returned; the program is ended with the session.
    QString StartWindow(const QString& program, const QStringList& arguments, const QString& title);

    // Finds a visible window by its exact title; empty when there is none.
    QString FindWindow(const QString& title) const;
    QString WindowTitle(const QString& window) const;
    // The window's inner rectangle (without the frame) on the screen; throws when there is none.
    QRect WindowGeometry(const QString& window) const;
    // Whether `upper` lies over `lower`: higher in the pile and covering part of it.
    bool IsAbove(const QString& upper, const QString& lower) const;
    void Move(const QString& window, QPoint topLeft);
    // Gives the window the keyboard and waits until it has it.
    void Activate(const QString& window);

    void KeyDown(const QString& key);
    void KeyUp(const QString& key);
    void PressKey(const QString& key);
    void Type(const QString& text);
    // Clicks the left mouse button at a point of the screen.
    void Click(QPoint point);

    QImage Screenshot() const;

    // Asks the window manager to close the game's window, as its close box does.
    void RequestClose();
    // Asks to close the game's window and waits for the game to end; whether it ended with exit
    // code 0.
    bool CloseGame();

    // Runs a command on the session's desktop; returns its standard output. Throws when the
    // command cannot be started, crashes or does not end; its exit code is the caller's to judge
    // (xdotool's search ends with 1 when it finds nothing).
    QString Run(const QString& program, const QStringList& arguments) const;

private:
    void PrepareProgramFolder();
    QPoint WellOrigin() const;
    QString GameErrorsFile() const;

    QTemporaryDir programFolder_;
    QTemporaryDir errorsFolder_;
    std::unique_ptr<WindowSystem> windowSystem_;
    std::unique_ptr<QProcess> game_;
    std::vector<std::unique_ptr<QProcess>> others_;
    QString gameWindow_;
    double scale_ = 1;
};

} // namespace stacklume::e2e
