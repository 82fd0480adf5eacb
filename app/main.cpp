#include "Application.h"
#include "GamepadState.h"
#include "KeyboardState.h"
#include "MainWindow.h"
#include "StartupReports.h"
#include "TForm2.h"
#include "TForm3.h"

#include <QIcon>

#include <cstdlib>
#include <exception>

using namespace stacklume;

int main(int argc, char** argv) {
    Application application(argc, argv);
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/stacklume-%1.png").arg(size), QSize(size, size));
    application.setWindowIcon(icon);
    StartupReports startupReports([](const QString& message) { Application::ShowError(message); });
    try {
        KeyboardState keys;
        application.installEventFilter(&keys);
        GamepadState gamepad(ApplicationHasKeyboard);
        PlatformServices platform = RealPlatformServices(keys);
        platform.Gamepad = &gamepad;
        platform.ReportError = startupReports.Holding();
        MainWindow form1(platform);
        form1.Files().CreatePlayerFolders();
        // The bricks dialog may apply its patterns while it is being made, when they are enabled.
        TForm2 form2(
            form1.Files().SettingsFolder(), form1.KindCount(),
            [&form1, &form2] { form1.ApplyPersonalizedBricks(form2.BrickPatterns()); }, platform.ReportError,
            &form1);
        TForm3 form3(
            form1.Files().BestScoresFolder(), [&form1] { form1.pause1Click(); }, platform.ReportError,
            QDate::currentDate(), &form1);
        form1.AttachDialogs(&form2, &form3);
        form1.show();
        // Everything is built: what went wrong on the way is told now, the game standing still
        // until it is answered.
        form1.WhileStopped([&startupReports] { startupReports.Release(); });
        application.exec();
    } catch (const std::exception& failure) {
        // A failure during start-up ends the program after the error box; whoever started it
        // learns of it too, from the exit code and the standard error.
        startupReports.Release();
        qCritical("%s", failure.what());
        Application::ShowError(failure);
        return EXIT_FAILURE;
    }
    return 0;
}
