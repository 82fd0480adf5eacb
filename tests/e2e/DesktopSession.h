#pragma once

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

// Polls `condition` until it holds or the deadline passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 20s);

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

    // Starts the game in the program folder and waits for its main window.
    void StartGame();
    bool GameRunning() const;
    QString GameWindow() const { return gameWindow_; }

    // Starts another program on the display and waits for its window titled `title`, which is
    // returned; the program is ended with the session.
    QString StartWindow(const QString& program, const QStringList& arguments, const QString& title);

    // Finds a visible window by its exact title; empty when there is none.
    QString FindWindow(const QString& title) const;
    QString WindowTitle(const QString& window) const;
    // The window's inner rectangle (without the frame) on the screen.
    QRect WindowGeometry(const QString& window) const;
    void Activate(const QString& window);

    void KeyDown(const QString& key);
    void KeyUp(const QString& key);
    void PressKey(const QString& key);
    void Type(const QString& text);

    QImage Screenshot() const;

    // Asks the window manager to close the game's window and waits for the game to end.
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
