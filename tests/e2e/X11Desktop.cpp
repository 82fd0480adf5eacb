#include "X11Desktop.h"

#include "DesktopTools.h"

#include <QRegularExpression>

#include <stdexcept>

namespace stacklume::e2e {

X11Desktop::X11Desktop(int width, int height) {
    if (!runtimeFolder_.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    StartServer(width, height);
    StartWindowManager();
}

X11Desktop::~X11Desktop() {
    Stop(windowManager_);
    Stop(server_);
}

void X11Desktop::StartServer(int width, int height) {
    server_ = std::make_unique<QProcess>();
    // -displayfd 1: the server picks a free display and writes its number to standard output.
    server_->start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(width).arg(height),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    const bool ready = WaitUntil([&] {
        number += server_->readAllStandardOutput();
        server_->waitForReadyRead(50);
        return number.contains('\n') || server_->state() == QProcess::NotRunning;
    });
    if (!ready || !number.contains('\n'))
        throw std::runtime_error("Xvfb did not start");
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("DISPLAY"),
                        QStringLiteral(":") + QString::fromLatin1(number.trimmed()));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder_.path());
    Silence(environment_);
    environment_.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment_.remove(QStringLiteral("WAYLAND_DISPLAY"));
}

void X11Desktop::StartWindowManager() {
    // On a loaded machine openbox has now and then stayed silent for a whole minute after its
    // start while it usually takes a fifth of a second: a fresh start gets it going.
    QString report;
    for (int attempt = 0; attempt < 3; ++attempt) {
        Stop(windowManager_);
        windowManager_ = std::make_unique<QProcess>();
        windowManager_->setProcessEnvironment(environment_);
        windowManager_->setProcessChannelMode(QProcess::MergedChannels);
        windowManager_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        const bool ready = WaitUntil(
            [this] {
                return Run(QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains(QStringLiteral("window id"));
            },
            20s);
        if (ready)
            return;
        report += QStringLiteral("\nattempt %1: openbox %2: %3")
                      .arg(attempt + 1)
                      .arg(windowManager_->state() == QProcess::NotRunning ? QStringLiteral("ended")
                                                                           : QStringLiteral("running"))
                      .arg(QString::fromLocal8Bit(windowManager_->readAll()).trimmed());
    }
    throw std::runtime_error(("openbox did not start" + report).toStdString());
}

QString X11Desktop::Run(const QString& program, const QStringList& arguments) const {
    return RunTool(environment_, program, arguments);
}

QStringList X11Desktop::AsPlayer(const QStringList& command) const {
    // Root may write where a player may not: the game goes without that power, as a player's would.
    if (!RunningAsRoot())
        return command;
    return QStringList{QStringLiteral("setpriv"),
                       QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                       QStringLiteral("--")} +
           command;
}

void X11Desktop::GiveToPlayer(const QString&) const {
    // The player is the tests' own user, without root's powers: the folders are its own already.
}

void X11Desktop::SetScale(double scale) {
    environment_.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
}

QStringList X11Desktop::GameWindows(WindowKind kind) const {
    QStringList found;
    const QStringList windows =
        Run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--class"), QStringLiteral("^Stacklume$")})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        const QString type = Run(QStringLiteral("xprop"),
                                 {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_WINDOW_TYPE")});
        if (type.isEmpty())
            continue; // gone since it was listed
        const WindowKind windowKind = type.contains(QStringLiteral("_MENU"))     ? WindowKind::Menu
                                      : type.contains(QStringLiteral("_DIALOG")) ? WindowKind::Dialog
                                                                                 : WindowKind::Main;
        if (windowKind == kind)
            found.append(window);
    }
    return found;
}

QString X11Desktop::FindWindow(const QString& title) const {
    const QString pattern = QStringLiteral("^") + QRegularExpression::escape(title) + QStringLiteral("$");
    const QStringList found =
        Run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return found.isEmpty() ? QString() : found.last();
}

QString X11Desktop::WindowTitle(const QString& window) const {
    return Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window}).trimmed();
}

QRect X11Desktop::WindowGeometry(const QString& window) const {
    // xwininfo reports the client window itself; xdotool's geometry is off by the frame.
    const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    auto field = [&](const QString& name) {
        const QRegularExpressionMatch found =
            QRegularExpression(name + QStringLiteral(":\\s*(-?\\d+)")).match(info);
        // A window that has gone (a crashed game's) has no geometry, not an empty one.
        if (!found.hasMatch())
            throw std::runtime_error("window " + window.toStdString() + " has no geometry: has it gone?");
        return found.captured(1).toInt();
    };
    return {field(QStringLiteral("Absolute upper-left X")), field(QStringLiteral("Absolute upper-left Y")),
            field(QStringLiteral("Width")), field(QStringLiteral("Height"))};
}

QStringList X11Desktop::StackingOrder() const {
    // "_NET_CLIENT_LIST_STACKING(WINDOW): window id # 0x400007, 0x600003", bottom first; xdotool
    // names windows in decimal.
    const QString list =
        Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QStringList windows;
    for (const QString& id : list.section(QLatin1Char('#'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        windows.append(QString::number(id.trimmed().toULongLong(nullptr, 16)));
    return windows;
}

void X11Desktop::Focus(const QString& window) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), window});
}

QString X11Desktop::FocusedWindow() const {
    return Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).trimmed();
}

void X11Desktop::Move(const QString& window, QPoint topLeft) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QStringLiteral("--sync"), window,
                                    QString::number(topLeft.x()), QString::number(topLeft.y())});
}

void X11Desktop::Close(const QString& window) {
    Run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), window});
}

void X11Desktop::KeyDown(const QString& key) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("keydown"), key});
}

void X11Desktop::KeyUp(const QString& key) { Run(QStringLiteral("xdotool"), {QStringLiteral("keyup"), key}); }

void X11Desktop::PressKey(const QString& key) {
    Run(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

void X11Desktop::Type(const QString& text) { Run(QStringLiteral("xdotool"), {QStringLiteral("type"), text}); }

void X11Desktop::Click(QPoint point) {
    Run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
         QStringLiteral("click"), QStringLiteral("1")});
}

QImage X11Desktop::Screenshot() const {
    return ShotFromTool(environment_, QStringLiteral("import"),
                        {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
}

} // namespace stacklume::e2e
