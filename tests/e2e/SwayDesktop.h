#pragma once

#include "WindowSystem.h"

#include <QProcess>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

namespace stacklume::e2e {

// sway on its headless backend, a Wayland compositor with no screen behind it: wtype types,
// swaymsg lists the windows, places and closes them, grim takes screenshots. sway refuses to run
// as root, so when the tests run as root, sway and the programs shown on it run as "nobody",
// whose runtime folder the tests make; otherwise as the tests' own user. The scale is the
// compositor's (an output scale), which it may change while programs run.
class SwayDesktop : public WindowSystem {
public:
    SwayDesktop(int width, int height);
    ~SwayDesktop() override;
    SwayDesktop(const SwayDesktop&) = delete;
    SwayDesktop& operator=(const SwayDesktop&) = delete;

    QProcessEnvironment Environment() const override;
    QStringList AsPlayer(const QStringList& command) const override;
    void GiveToPlayer(const QString& folder) const override;
    void SetScale(double scale) override;

    QStringList GameWindows(WindowKind kind) const override;
    QString FindWindow(const QString& title) const override;
    QString WindowTitle(const QString& window) const override;
    QRect WindowGeometry(const QString& window) const override;
    QStringList StackingOrder() const override;
    void Focus(const QString& window) override;
    QString FocusedWindow() const override;
    void Move(const QString& window, QPoint topLeft) override;
    void Close(const QString& window) override;

    void KeyDown(const QString& key) override;
    void KeyUp(const QString& key) override;
    void PressKey(const QString& key) override;
    void Type(const QString& text) override;
    void Click(QPoint point) override;

    QImage Screenshot() const override;

private:
    // A window as swaymsg's tree tells it; the rectangle in logical pixels.
    struct View {
        QString id;
        QString title;
        QString appId;
        QRect rect;
        bool focused = false;
    };

    void WriteConfig(int width, int height) const;
    void StartCompositor();
    void StartKeyboard();
    // The visible windows, tiled ones first, then the floating ones from the bottom up.
    std::vector<View> Views() const;
    View ViewOf(const QString& window) const;
    // Runs a sway command; throws unless sway carried it out.
    void Command(const QString& command) const;
    std::unique_ptr<QProcess> StartTool(const QStringList& command) const;

    QTemporaryDir runtimeFolder_;
    QProcessEnvironment environment_;
    int width_;
    int height_;
    double scale_ = 1;
    std::unique_ptr<QProcess> compositor_;
    std::unique_ptr<QProcess> keyboard_;
    std::map<QString, std::unique_ptr<QProcess>> heldKeys_;
};

} // namespace stacklume::e2e
