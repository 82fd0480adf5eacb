#include "SwayDesktop.h"

#include "DesktopTools.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include <sys/stat.h>

namespace stacklume::e2e {

namespace {

// The game's Wayland application id, from its desktop file name.
const QString GameAppId = QStringLiteral("org.stacklume.Stacklume");
// Longer than any test: a key is held until its holder is ended.
const QString LongestHold = QStringLiteral("86400000");

QStringList AsNobody(const QStringList& command) {
    return QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                       QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                       QStringLiteral("--")} +
           command;
}

} // namespace

SwayDesktop::SwayDesktop(int width, int height) : width_(width), height_(height) {
    if (!runtimeFolder_.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    // Wayland wants its runtime folder private to its user.
    ::chmod(QFile::encodeName(runtimeFolder_.path()).constData(), 0700);
    GiveToPlayer(runtimeFolder_.path());
    environment_ = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR"})
        environment_.remove(QString::fromLatin1(name));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder_.path());
    WriteConfig(width, height);
    StartCompositor();
    StartKeyboard();
}

SwayDesktop::~SwayDesktop() {
    for (auto& [key, holder] : heldKeys_)
        Stop(holder);
    Stop(keyboard_);
    Stop(compositor_);
}

void SwayDesktop::WriteConfig(int width, int height) const {
    QFile config(runtimeFolder_.filePath(QStringLiteral("config")));
    if (!config.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write sway's configuration");
    // No bar, no frames: a window's rectangle is all of it, as on the X11 desktop.
    config.write(QStringLiteral("xwayland disable\n"
                                "output HEADLESS-1 resolution %1x%2\n"
                                "default_border none\n"
                                "default_floating_border none\n"
                                "focus_on_window_activation focus\n")
                     .arg(width)
                     .arg(height)
                     .toUtf8());
}

void SwayDesktop::StartCompositor() {
    QProcessEnvironment environment = environment_;
    environment.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    environment.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    environment.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    const QString log = runtimeFolder_.filePath(QStringLiteral("sway.log"));
    compositor_ = std::make_unique<QProcess>();
    compositor_->setProcessEnvironment(environment);
    compositor_->setStandardOutputFile(log);
    compositor_->setStandardErrorFile(log, QIODevice::Append);
    QStringList command = AsPlayer({QStringLiteral("sway"), QStringLiteral("--config"),
                                    runtimeFolder_.filePath(QStringLiteral("config"))});
    compositor_->start(command.takeFirst(), command);
    // sway names its sockets itself: the Wayland display and its own for swaymsg.
    const QDir folder(runtimeFolder_.path());
    const bool ready = WaitUntil([&] {
        const QStringList display = folder.entryList({QStringLiteral("wayland-?")}, QDir::System);
        const QStringList control = folder.entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
        if (display.isEmpty() || control.isEmpty())
            return compositor_->state() == QProcess::NotRunning;
        environment_.insert(QStringLiteral("WAYLAND_DISPLAY"), display.first());
        environment_.insert(QStringLiteral("SWAYSOCK"), folder.filePath(control.first()));
        return RunTool(environment_, QStringLiteral("swaymsg"),
                       {QStringLiteral("-t"), QStringLiteral("get_outputs")})
            .contains(QStringLiteral("HEADLESS-1"));
    });
    if (!ready || compositor_->state() == QProcess::NotRunning)
        throw std::runtime_error("sway did not start: " + ReadFile(log).right(2000).toStdString());
}

void SwayDesktop::StartKeyboard() {
    // A seat without a keyboard gives no window the keyboard, and each wtype brings a keyboard only
    // while it runs: one kept for the whole session lets the game have the keyboard from the start.
    keyboard_ = StartTool({QStringLiteral("wtype"), QStringLiteral("-s"), LongestHold});
    if (!WaitUntil([this] {
            return RunTool(environment_, QStringLiteral("swaymsg"),
                           {QStringLiteral("-t"), QStringLiteral("get_inputs")})
                .contains(QStringLiteral("\"keyboard\""));
        }))
        throw std::runtime_error("sway's seat got no keyboard from wtype");
}

std::unique_ptr<QProcess> SwayDesktop::StartTool(const QStringList& command) const {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment_);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(command.first(), command.mid(1));
    if (!process->waitForStarted(10000))
        throw std::runtime_error("cannot start " + command.first().toStdString());
    return process;
}

QProcessEnvironment SwayDesktop::Environment() const {
    QProcessEnvironment environment = environment_;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    Silence(environment);
    // Root's home is closed to the player.
    if (RunningAsRoot())
        environment.insert(QStringLiteral("HOME"), runtimeFolder_.path());
    return environment;
}

QStringList SwayDesktop::AsPlayer(const QStringList& command) const {
    return RunningAsRoot() ? AsNobody(command) : command;
}

void SwayDesktop::GiveToPlayer(const QString& folder) const {
    if (RunningAsRoot() &&
        QProcess::execute(QStringLiteral("chown"),
                          {QStringLiteral("-R"), QStringLiteral("nobody:nogroup"), folder}) != 0)
        throw std::runtime_error("cannot give " + folder.toStdString() + " to nobody");
}

void SwayDesktop::SetScale(double scale) {
    // As a monitor with as many more pixels would be: the screen keeps its size in logical pixels.
    Command(QStringLiteral("output HEADLESS-1 resolution %1x%2 scale %3")
                .arg(qRound(width_ * scale))
                .arg(qRound(height_ * scale))
                .arg(scale));
    scale_ = scale;
}

std::vector<SwayDesktop::View> SwayDesktop::Views() const {
    const QJsonDocument tree = QJsonDocument::fromJson(
        RunTool(environment_, QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_tree")})
            .toUtf8());
    if (!tree.isObject())
        throw std::runtime_error("swaymsg gave no tree");
    std::vector<View> views;
    const std::function<void(const QJsonObject&)> visit = [&](const QJsonObject& node) {
        if (node.contains(QStringLiteral("app_id")) && node.value(QStringLiteral("visible")).toBool()) {
            const QJsonObject rect = node.value(QStringLiteral("rect")).toObject();
            views.push_back(
                {QString::number(node.value(QStringLiteral("id")).toInteger()),
                 node.value(QStringLiteral("name")).toString(),
                 node.value(QStringLiteral("app_id")).toString(),
                 QRect(rect.value(QStringLiteral("x")).toInt(), rect.value(QStringLiteral("y")).toInt(),
                       rect.value(QStringLiteral("width")).toInt(),
                       rect.value(QStringLiteral("height")).toInt()),
                 node.value(QStringLiteral("focused")).toBool()});
        }
        // Floating windows lie above the tiled ones, in the order they are piled.
        for (const char* children : {"nodes", "floating_nodes"})
            for (const QJsonValue child : node.value(QString::fromLatin1(children)).toArray())
                visit(child.toObject());
    };
    visit(tree.object());
    return views;
}

SwayDesktop::View SwayDesktop::ViewOf(const QString& window) const {
    for (const View& view : Views())
        if (view.id == window)
            return view;
    throw std::runtime_error("window " + window.toStdString() + " has gone");
}

void SwayDesktop::Command(const QString& command) const {
    const QString answer = RunTool(environment_, QStringLiteral("swaymsg"), {command});
    if (!answer.contains(QStringLiteral("\"success\": true")))
        throw std::runtime_error("sway refused " + command.toStdString() + ": " + answer.toStdString());
}

QStringList SwayDesktop::GameWindows(WindowKind kind) const {
    // sway lists a window's menus with the window, not as windows of their own.
    if (kind == WindowKind::Menu)
        throw std::runtime_error("sway does not list menus");
    // Nor does it tell a dialog from a main window: the game's first window is its main window,
    // the others are its dialogs.
    QStringList found;
    for (const View& view : Views())
        if (view.appId == GameAppId)
            found.append(view.id);
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return a.toLongLong() < b.toLongLong(); });
    if (kind == WindowKind::Main)
        return found.mid(0, 1);
    return found.mid(1);
}

QString SwayDesktop::FindWindow(const QString& title) const {
    QString found;
    for (const View& view : Views())
        if (view.title == title && (found.isEmpty() || view.id.toLongLong() > found.toLongLong()))
            found = view.id;
    return found;
}

QString SwayDesktop::WindowTitle(const QString& window) const {
    for (const View& view : Views())
        if (view.id == window)
            return view.title;
    return {}; // gone, as xdotool has it
}

QRect SwayDesktop::WindowGeometry(const QString& window) const {
    const QRect logical = ViewOf(window).rect;
    return {QPoint(qRound(logical.x() * scale_), qRound(logical.y() * scale_)),
            QSize(qRound(logical.width() * scale_), qRound(logical.height() * scale_))};
}

QStringList SwayDesktop::StackingOrder() const {
    QStringList windows;
    for (const View& view : Views())
        windows.append(view.id);
    return windows;
}

void SwayDesktop::Focus(const QString& window) { Command(QStringLiteral("[con_id=%1] focus").arg(window)); }

QString SwayDesktop::FocusedWindow() const {
    for (const View& view : Views())
        if (view.focused)
            return view.id;
    return {};
}

void SwayDesktop::Move(const QString& window, QPoint topLeft) {
    Command(QStringLiteral("[con_id=%1] move absolute position %2 %3")
                .arg(window)
                .arg(qRound(topLeft.x() / scale_))
                .arg(qRound(topLeft.y() / scale_)));
}

void SwayDesktop::Close(const QString& window) { Command(QStringLiteral("[con_id=%1] kill").arg(window)); }

void SwayDesktop::KeyDown(const QString& key) {
    // wtype lets go of its keys when it ends: the key stays down while its holder runs.
    auto& holder = heldKeys_[key];
    Stop(holder);
    holder =
        StartTool({QStringLiteral("wtype"), QStringLiteral("-P"), key, QStringLiteral("-s"), LongestHold});
}

void SwayDesktop::KeyUp(const QString& key) {
    const auto holder = heldKeys_.find(key);
    if (holder == heldKeys_.end())
        throw std::runtime_error("key " + key.toStdString() + " is not held");
    Stop(holder->second);
    heldKeys_.erase(holder);
}

void SwayDesktop::PressKey(const QString& key) {
    RunTool(environment_, QStringLiteral("wtype"), {QStringLiteral("-k"), key});
}

void SwayDesktop::Type(const QString& text) {
    RunTool(environment_, QStringLiteral("wtype"), {QStringLiteral("--"), text});
}

void SwayDesktop::Click(QPoint point) {
    const QString seat = QStringLiteral("seat seat0 cursor ");
    Command(seat +
            QStringLiteral("set %1 %2").arg(qRound(point.x() / scale_)).arg(qRound(point.y() / scale_)));
    Command(seat + QStringLiteral("press button1"));
    Command(seat + QStringLiteral("release button1"));
}

QImage SwayDesktop::Screenshot() const {
    return ShotFromTool(environment_, QStringLiteral("grim"), {QStringLiteral("-")});
}

} // namespace stacklume::e2e
