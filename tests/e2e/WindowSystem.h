#pragma once

#include <QImage>
#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

namespace stacklume::e2e {

enum class WindowSystemKind { X11, Wayland };
std::string NameOf(WindowSystemKind kind);

// The kinds of the game's windows.
enum class WindowKind { Main, Dialog, Menu };

// A private desktop of one window system, with the tools that drive it as a player would: the
// keyboard, the mouse, the list of windows and screenshots. Windows are named by the window
// system's own identifiers. Coordinates are the screen's own pixels, as in a screenshot. What
// cannot be done as asked throws.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // What a program needs in its environment to show its windows on this desktop.
    virtual QProcessEnvironment Environment() const = 0;
    // The command that runs `command` with a player's rights, also when the tests run as root.
    virtual QStringList AsPlayer(const QStringList& command) const = 0;
    // Lets the player write into a folder the tests made, and everything in it.
    virtual void GiveToPlayer(const QString& folder) const = 0;
    // The desktop's scale, 2 for 200 %, for the programs started from now on.
    virtual void SetScale(double scale) = 0;

    // The game's visible windows of one kind, in the order the window system lists them.
    virtual QStringList GameWindows(WindowKind kind) const = 0;
    // A visible window with exactly this title (the newest of several); empty when there is none.
    virtual QString FindWindow(const QString& title) const = 0;
    virtual QString WindowTitle(const QString& window) const = 0;
    // The window's inner rectangle, without a frame.
    virtual QRect WindowGeometry(const QString& window) const = 0;
    // Every window, from the bottom of the pile to its top.
    virtual QStringList StackingOrder() const = 0;
    // Asks for the window to get the keyboard; FocusedWindow tells when it has.
    virtual void Focus(const QString& window) = 0;
    virtual QString FocusedWindow() const = 0;
    virtual void Move(const QString& window, QPoint topLeft) = 0;
    // Asks the window to close, as its close box does.
    virtual void Close(const QString& window) = 0;

    // Key names are X keysym names: Left, F10, Return, Shift_L.
    virtual void KeyDown(const QString& key) = 0;
    virtual void KeyUp(const QString& key) = 0;
    virtual void PressKey(const QString& key) = 0;
    virtual void Type(const QString& text) = 0;
    // Clicks the left mouse button at a point of the screen.
    virtual void Click(QPoint point) = 0;

    virtual QImage Screenshot() const = 0;
};

// Starts a desktop of a screen of `width` x `height` pixels.
std::unique_ptr<WindowSystem> StartWindowSystem(WindowSystemKind kind, int width, int height);

} // namespace stacklume::e2e
