#include "Application.h"

#include <QMessageBox>

namespace stacklume {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Stacklume"));
    // Ties the windows to the installed desktop entry, for the desktop's icon and task list.
    setDesktopFileName(QStringLiteral("org.stacklume.Stacklume"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ShowError(failure);
    } catch (...) {
        ShowError(QStringLiteral("Unknown error"));
    }
    return false;
}

void Application::ShowError(const QString& message) {
    // On top, like the dialogs, so that it never hides behind them.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Stacklume"), message, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void Application::ShowError(const std::exception& failure) { ShowError(QString::fromUtf8(failure.what())); }

} // namespace stacklume
