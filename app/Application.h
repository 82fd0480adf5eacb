#pragma once

#include <QApplication>

#include <exception>

namespace stacklume {

// The application object. A failure that escapes an event handler is shown in the standard
// error box and the message loop goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The standard error box.
    static void ShowError(const QString& message);
    static void ShowError(const std::exception& failure);
};

} // namespace stacklume
