#include "PlatformServices.h"

#include "Application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>

#include <chrono>

namespace stacklume {

PlatformServices RealPlatformServices(const KeyState& keys) {
    PlatformServices services;
    services.ProgramFolder = QCoreApplication::applicationDirPath();
    services.CurrentFolder = QStringLiteral(".");
    services.Environment = QProcessEnvironment::systemEnvironment();
    services.Keys = &keys;
    services.TickCount = [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    };
    services.TimeOfDay = [] { return QTime::currentTime(); };
    services.CalendarTime = [] { return std::time(nullptr); };
    services.ReportError = [](const QString& message) { Application::ShowError(message); };
    services.OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        services.ScreenHeight = screen->geometry().height();
        services.WorkArea = screen->availableGeometry();
    }
    return services;
}

bool ApplicationHasKeyboard() {
    return QGuiApplication::applicationState() == Qt::ApplicationActive ||
           QApplication::activeWindow() != nullptr;
}

} // namespace stacklume
