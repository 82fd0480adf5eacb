#include "Application.h"
#include "KeyboardState.h"
#include "MainWindow.h"

#include <exception>
#include <memory>

using namespace stacklume;

int main(int argc, char** argv) {
    Application application(argc, argv);
    try {
        KeyboardState keys;
        application.installEventFilter(&keys);
        MainWindow form1(RealPlatformServices(keys));
        form1.show();
        application.exec();
    } catch (const std::exception& failure) {
        // A failure during start-up ends the program after the error box.
        Application::ShowError(failure);
    }
    return 0;
}
