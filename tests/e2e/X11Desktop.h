#pragma once

#include "WindowSystem.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace stacklume::e2e {

// A private X server (Xvfb) with openbox, driven with xdotool, read with xprop and xwininfo,
// shot with ImageMagick's import. The scale is Qt's own (QT_SCALE_FACTOR), as on a scaled X11
// desktop.
class X11Desktop : public WindowSystem {
public:
    X11Desktop(int width, int height);
    ~X11Desktop() override;
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    QProcessEnvironment Environment() const override { return environment_; }
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
    void StartServer(int width, int height);
    void StartWindowManager();
    QString Run(const QString& program, const QStringList& arguments) const;

    QTemporaryDir runtimeFolder_;
    QProcessEnvironment environment_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> windowManager_;
};

} // namespace stacklume::e2e
