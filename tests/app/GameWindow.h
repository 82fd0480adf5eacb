#pragma once

#include "FakePlatform.h"
#include "MainWindow.h"
#include "Moves.h"
#include "TForm3.h"
#include "TTextAnimator.h"

#include <QLabel>
#include <QTimer>

#include <tuple>
#include <utility>

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

    // Drops each piece, unturned, where it comes to rest lowest, until rows are cleared or the game
    // ends; returns whether the score rose.
    bool PlayUntilRowsClear() {
        const Game& game = window.GetGame();
        for (int pieces = 0; pieces < 100 && game.Values().Score == 0 && window.Timer1->isActive();
             ++pieces) {
            Piece piece = game.CurrentPiece();
            const ColumnSpan filled = FilledColumns(piece.Shape);
            int lowestX = piece.X;
            int lowest = 0;
            for (piece.X = -filled.MinCol; piece.X + filled.MaxCol < WellColumns; ++piece.X)
                if (const int row = FindLandingRow(game.CurrentWell(), piece, piece.Y); row > lowest)
                    std::tie(lowest, lowestX) = std::pair(row, piece.X);
            platform_.keys.down = {lowestX < game.CurrentPiece().X ? VirtualKey::Left : VirtualKey::Right};
            for (int i = 0; i < 50 && game.CurrentPiece().X != lowestX && !game.Values().Landing; ++i)
                Tick();
            platform_.keys.down = {VirtualKey::Space};
            Tick(); // held on, it would hold the piece up
            platform_.keys.down.clear();
            for (int i = 0; i < 100 && !game.Values().Landing; ++i)
                Tick();
            for (int i = 0; i < 100 && game.Values().Landing; ++i)
                Tick();
        }
        return game.Values().Score > 0;
    }

    TTextAnimator& Caption() { return *window.findChild<TTextAnimator*>(QStringLiteral("TextAnimator1")); }
    QLabel& ScoreLine() { return *window.findChild<QLabel*>(QStringLiteral("Label1")); }

    FakePlatform& platform_;
    MainWindow window;
    TForm3 form3;
};

} // namespace stacklume::testing
