#include "Application.h"
#include "KeyboardState.h"
#include "MainWindow.h"
#include "TForm3.h"

#include <QIcon>

#include <exception>

using namespace stacklume;

int main(int argc, char** argv) {
    Application application(argc, argv);
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/stacklume-%1.png").arg(size), QSize(size, size));
    application.setWindowIcon(icon);
    try {
        KeyboardState keys;
        application.installEventFilter(&keys);
        const PlatformServices platform = RealPlatformServices(keys);
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
