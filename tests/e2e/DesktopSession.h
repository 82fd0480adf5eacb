#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace stacklume::e2e {

using namespace std::chrono_literals;

// The whole content of a file, or nothing when it cannot be read.
QByteArray ReadFile(const QString& path);

// Polls `condition` until it holds or the deadline passes; returns whether it held.
// The default is generous: the machines that run these tests are shared and may be busy.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 60s);

// A private X server with a window manager, a fresh program folder holding the game and its
// data files, and the game itself: the world a player sees. Everything started is ended when
// the session goes away.
class DesktopSession {
public:
    DesktopSession(int screenWidth, int screenHeight);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    QString ProgramFolder() const { return programFolder_.path(); }
    QString Display() const { return display_; }

    // Starts the game in the program folder and waits for its window titled "Stacklume": the main
    // window, or the error box of a failure during start-up.
    void StartGame();
    // Waits again for a window titled "Stacklume", e.g. once the error box is gone.
    void FindGameWindow();
    bool GameRunning() const;
    QString GameWindow() const { return gameWindow_; }

    // The well's top-left on the screen in the game window at its smallest size: the client area
    // lies under the menu bar, the panel at (76, 44) and the picture 2 pixels inside it.
    QPoint WellOrigin() const;

    // The well as the player sees it, at the smallest size.
    QImage WellShot() const;
    // Whether the game stands still (over or paused): nothing in the well moves for a while
    // but the caption over its middle.
    bool GameStandsStill() const;

    // Starts another program on the display and waits for its window titled `title`, which is
    // returned; the program is ended with the session.
    QString StartWindow(const QString& program, const QStringList& arguments, const QString& title);

    // Finds a visible window by its exact title; empty when there is none.
    QString FindWindow(const QString& title) const;
    QString WindowTitle(const QString& window) const;
    // The window's inner rectangle (without the frame) on the screen.
    QRect WindowGeometry(const QString& window) const;
    // Gives the window the keyboard and waits until it has it.
    void Activate(const QString& window);

    void KeyDown(const QString& key);
    void KeyUp(const QString& key);
    void PressKey(const QString& key);
    void Type(const QString& text);

    QImage Screenshot() const;

    // Asks the window manager to close the game's window and waits for the game to end; whether
    // it ended with exit code 0.
    bool CloseGame();

    // Runs a command on the session's display; returns its standard output.
    QString Run(const QString& program, const QStringList& arguments) const;

private:
    void StartServer(int width, int height);
    void StartWindowManager();
    void PrepareProgramFolder();

    QTemporaryDir programFolder_;
    QTemporaryDir runtimeFolder_;
    QString display_;
    QProcessEnvironment environment_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> windowManager_;
    std::unique_ptr<QProcess> game_;
    std::vector<std::unique_ptr<QProcess>> others_;
    QString gameWindow_;
};

} // namespace stacklume::e2e
