#pragma once

#include "FakePlatform.h"
#include "MainWindow.h"
#include "TForm3.h"
#include "TTextAnimator.h"

#include <QLabel>
#include <QTimer>

namespace stacklume::testing {

// The main window with its best-scores dialog, as the program puts them together.
class GameWindow {
public:
    static inline const QDate StartDate{2026, 12, 8};

    explicit GameWindow(FakePlatform& platform)
        : platform_(platform), window(platform.services),
          form3(
              platform.services.ProgramFolder, [this] { window.pause1Click(); },
              platform.services.ReportError, StartDate, &window) {
        window.AttachDialogs(nullptr, &form3);
        window.StartPlay();
    }

    void Tick() {
        platform_.tickCount += 45;
        window.Timer1Timer();
    }

    // Drops every piece slowly until the game ends; returns whether it did.
    bool PlayUntilGameOver() {
        platform_.keys.down = {VirtualKey::Shift};
        for (int i = 0; i < 20000 && window.Timer1->isActive(); ++i)
            Tick();
        platform_.keys.down.clear();
        return !window.Timer1->isActive();
    }

    TTextAnimator& Caption() { return *window.findChild<TTextAnimator*>(QStringLiteral("TextAnimator1")); }
    QLabel& ScoreLine() { return *window.findChild<QLabel*>(QStringLiteral("Label1")); }

    FakePlatform& platform_;
    MainWindow window;
    TForm3 form3;
};

} // namespace stacklume::testing
