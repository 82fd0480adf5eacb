#pragma once

#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QTime>
#include <QUrl>

#include <cstdint>
#include <ctime>
#include <functional>

namespace stacklume {

class GamepadState;
class KeyState;

// What the main window needs of the platform. The program passes the real things; tests pass
// fixed ones.
struct PlatformServices {
    // Where the files lie follows from these three (see FileLocations).
    QString ProgramFolder;           // the executable's folder
    QString CurrentFolder;           // the current directory
    QProcessEnvironment Environment; // HOME and the XDG folders
    const KeyState* Keys = nullptr;
    GamepadState* Gamepad = nullptr;          // none: the keyboard alone
    std::function<std::uint32_t()> TickCount; // milliseconds, wrapping
    std::function<QTime()> TimeOfDay;
    std::function<std::time_t()> CalendarTime;
    int ScreenHeight = 0;
    QRect WorkArea;
    // The standard error box, for failures that must be said without stopping anything.
    std::function<void(const QString&)> ReportError;
    // Hands a document or a web address to the desktop; what the desktop then says is its own.
    std::function<void(const QUrl&)> OpenUrl;
};

// The services of the running program: the application's folder and environment, the keyboard
// state given, a steady millisecond clock, the wall clock and the primary screen.
PlatformServices RealPlatformServices(const KeyState& keys);

// Whether one of our windows has the keyboard, that is, the application is the active one.
bool ApplicationHasKeyboard();

} // namespace stacklume
