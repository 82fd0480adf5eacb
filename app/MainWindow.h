#pragma once

#include "BrickImages.h"
#include "Game.h"
#include "MainMenu.h"
#include "PlatformServices.h"
#include "WellView.h"
#include "WindowLayout.h"

#include <QMainWindow>

class QFrame;
class QLabel;
class QTimer;

namespace stacklume {

class WellPicture;

// The game window: the well in its sunken panel, the score line above it, the menu bar, and
// the two timers that drive the game and its clock.
class MainWindow : public QMainWindow, private GameHost {
    Q_OBJECT
public:
    explicit MainWindow(PlatformServices platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    const Game& GetGame() const { return game_; }
    const MainMenu& Menu() const { return menu_; }
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // Handlers, named after the items and timers that run them.
    void Timer1Timer();
    void quit1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ConnectMenu();
    void ApplyPreferences();
    void ApplyLayout(int sizeClass);
    void CentreInWorkArea();
    void PrepareBuffers();
    void StartFirstGame();

    void SetSpeed(QAction* item, int fallInterval);

    // GameHost
    void PlaySound(Sound sound) override;
    void SetTickInterval(int milliseconds) override;
    void GameOver(std::int32_t score, bool alreadyShown) override;

    PlatformServices platform_;
    const BrickImageLists images_;
    Game game_;
    WellView wellView_;
    MainMenu menu_;
    const WindowLayout* layout_ = nullptr;
    bool placed_ = false;

    QWidget* client_ = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Panel1 = nullptr;
    WellPicture* Image2 = nullptr;
};

} // namespace stacklume
