// The main window's preferences: the Preferences menu's handlers, reading the settings file at
// start-up and writing it on close.
#include "MainWindow.h"

#include "IniFile.h"
#include "Preferences.h"

#include <QAction>
#include <QCloseEvent>
#include <QTimer>

namespace stacklume {

void MainWindow::SetSpeed(QAction* item, int fallInterval) {
    Timer1->setInterval(BaseTickInterval);
    game_.Options().FallInterval = fallInterval;
    item->setChecked(true);
}

void MainWindow::SetLateralLatency(QAction* item, int latency) {
    game_.Options().LateralLatency = latency;
    item->setChecked(true);
}

void MainWindow::SetDownArrowMode(QAction* item, int mode) {
    item->setChecked(true);
    game_.Options().DownArrowMode = mode;
}

void MainWindow::SetRedShades(bool redShades) {
    GameOptions& options = game_.Options();
    options.RedShades = redShades;
    options.ActiveImageList = SelectImageList(options.SizeClass, redShades);
    (redShades ? menu_.redshade1 : menu_.multicolor1)->setChecked(true);
}

void MainWindow::Sound1Click() {
    // The item's check mark has already turned over.
    game_.Options().SoundOn = menu_.Sound1->isChecked();
}

void MainWindow::ApplySettings(const Preferences& preferences) {
    backgroundFile_ = preferences.BackgroundFile;
    switch (preferences.FallInterval) {
    case FallIntervalSlow:
        SetSpeed(menu_.slow, FallIntervalSlow);
        break;
    case FallIntervalMedium:
        SetSpeed(menu_.normal, FallIntervalMedium);
        break;
    case FallIntervalFast:
        SetSpeed(menu_.fast, FallIntervalFast);
        break;
    case FallIntervalVeryFast:
        SetSpeed(menu_.Veyfast, FallIntervalVeryFast);
        break;
    default:
        SetSpeed(menu_.veryslow, FallIntervalVerySlow);
        break;
    }
    const std::array<QAction*, 3> latencies{menu_.N12, menu_.N22, menu_.N32};
    SetLateralLatency(
        latencies.at(static_cast<std::size_t>(preferences.LateralLatency - LateralLatencyShort)),
        preferences.LateralLatency);
    const std::array<QAction*, 3> downArrow{menu_.Drop1, menu_.Fastdrop1, menu_.Rotate1};
    SetDownArrowMode(downArrow.at(static_cast<std::size_t>(preferences.DownArrowMode)),
                     preferences.DownArrowMode);
    game_.Options().SoundOn = preferences.SoundOn;
    menu_.Sound1->setChecked(preferences.SoundOn);
    if (preferences.Color != ColorScheme::Unrecognized) {
        // The image list is chosen by the layout, which follows.
        game_.Options().RedShades = preferences.Color == ColorScheme::RedShades;
        (game_.Options().RedShades ? menu_.redshade1 : menu_.multicolor1)->setChecked(true);
    }
    game_.Options().KindCount = preferences.KindCount;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A refused write abandons the close: the window stays open and nothing is lost.
    event->ignore();
    Reporting([this, event] {
        IniFile settings(SettingsFilePath(files_.SettingsFolder()));
        WritePreferences(settings, Preferences::FromOptions(game_.Options(), backgroundFile_));
        event->accept();
    });
}

void MainWindow::Reporting(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        platform_.ReportError(QString::fromUtf8(failure.what()));
    }
}

} // namespace stacklume
