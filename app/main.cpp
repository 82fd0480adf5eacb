#include "Application.h"
#include "GamepadState.h"
#include "KeyboardState.h"
#include "MainWindow.h"
#include "TForm3.h"

#include <exception>

using namespace stacklume;

int main(int argc, char** argv) {
    Application application(argc, argv);
    try {
        KeyboardState keys;
        application.installEventFilter(&keys);
        GamepadState gamepad(ApplicationHasKeyboard);
        PlatformServices platform = RealPlatformServices(keys);
        platform.Gamepad = &gamepad;
        MainWindow form1(platform);
        const auto reportProblem = [](const QString& message) { Application::ShowError(message); };
        TForm3 form3(
            platform.ProgramFolder, [&form1] { form1.pause1Click(); }, reportProblem, QDate::currentDate(),
            &form1);
        form1.AttachDialogs(nullptr, &form3);
        form1.show();
        application.exec();
    } catch (const std::exception& failure) {
        // A failure during start-up ends the program after the error box.
        Application::ShowError(failure);
    }
    return 0;
}
