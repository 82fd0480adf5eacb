#include "Application.h"
#include "GamepadState.h"
#include "KeyboardState.h"
#include "MainWindow.h"
#include "OnceOnScreen.h"
#include "StartupReports.h"
#include "TForm2.h"
#include "TForm3.h"

#include <QIcon>

#include <cstdlib>
#include <exception>
#include <memory>

using namespace stacklume;

namespace {

QIcon WindowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/stacklume-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    Application application(argc, argv);
    StartupReports startupReports([](const QString& message) { Application::ShowError(message); });
    // A failure during start-up ends the program after the error box; whoever started it learns
    // of it too, from the exit code and the standard error.
    const auto failStartUp = [&startupReports](const std::exception& failure) {
        startupReports.Release();
        qCritical("%s", failure.what());
        Application::ShowError(failure);
        return EXIT_FAILURE;
    };
    try {
        KeyboardState keys;
        application.installEventFilter(&keys);
        GamepadState gamepad(ApplicationHasKeyboard);
        PlatformServices platform = RealPlatformServices(keys);
        platform.Gamepad = &gamepad;
        platform.ReportError = startupReports.Holding();
        MainWindow form1(platform);
        form1.Files().CreatePlayerFolders();
        // Shown from the menu and at the end of a game, never at start-up.
        std::unique_ptr<TForm2> form2;
        std::unique_ptr<TForm3> form3;
        form1.show();
        // What the window does not need in order to appear is made once it is on screen. The game
        // stands still until then, and until every problem met on the way has been answered.
        RunOnceOnScreen(form1, [&] {
            try {
                application.setWindowIcon(WindowIcon());
                // The bricks dialog applies its patterns while it is being made, when they are enabled.
                form2 = std::make_unique<TForm2>(
                    form1.Files().SettingsFolder(), form1.KindCount(),
                    [&form1](const BrickPatternTexts& patterns) { form1.ApplyPersonalizedBricks(patterns); },
                    platform.ReportError, &form1);
                form3 = std::make_unique<TForm3>(
                    form1.Files().BestScoresFolder(), [&form1] { form1.pause1Click(); }, platform.ReportError,
                    QDate::currentDate(), &form1);
                form1.AttachDialogs(form2.get(), form3.get());
                startupReports.Release();
                form1.StartPlay();
            } catch (const std::exception& failure) {
                Application::exit(failStartUp(failure));
            }
        });
        return Application::exec();
    } catch (const std::exception& failure) {
        return failStartUp(failure);
    }
}
