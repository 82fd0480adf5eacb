#pragma once

#include "BrickImages.h"
#include "CombinedKeyState.h"
#include "FileLocations.h"
#include "Game.h"
#include "GamepadState.h"
#include "MainMenu.h"
#include "PlatformServices.h"
#include "Preferences.h"
#include "WellView.h"
#include "WindowLayout.h"

#include <QMainWindow>
#include <QProperty>

#include <functional>
#include <future>
#include <memory>

class QFrame;
class QLabel;
class QTimer;

namespace stacklume {

class Backgrounds;
class SoundEffects;
class TForm3;
class TTextAnimator;
class WellPicture;

// The game window: the well in its sunken panel, the score line above it, the menu bar, and
// the two timers that drive the game and its clock.
class MainWindow : public QMainWindow, private GameHost {
    Q_OBJECT
public:
    explicit MainWindow(PlatformServices platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The dialogs are made after the window; it shows them from its menu and at the end of a game.
    void AttachDialogs(QWidget* form2, TForm3* form3);
    // The game starts: the clock from now, the tick, the pads and the menu commands, which need
    // the dialogs. Until then the game stands still and its menu bar takes nothing. Called once,
    // when everything is built and every problem met on the way has been answered.
    void StartPlay();

    const FileLocations& Files() const { return files_; }
    const Game& GetGame() const { return game_; }
    int& KindCount() { return game_.Options().KindCount; }
    const MainMenu& Menu() const { return menu_; }
    const QString& BackgroundFile() const { return backgroundFile_; }
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // Handlers, named after the items and timers that run them.
    void Timer1Timer();
    void Timer2Timer();
    void newgame1Click();
    void pause1Click();
    void score1Click();
    void quit1Click();
    void newbricks1Click();
    void rules1Click();
    void OpenWebSite(bool withFinalSlash);
    void ApplyPersonalizedBricks(const BrickPatternTexts& patterns);

protected:
    void showEvent(QShowEvent* event) override;
    // Writes the settings; a refused write keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildCaption();
    void ConnectMenu();
    void ApplySettings(const Preferences& preferences);
    void ApplyLayout(int sizeClass);
    void CentreInWorkArea();
    void PrepareBuffers(qreal ratio);
    // Draws the well again, bricks and picture, when it is shown at another device pixel ratio.
    void FollowScreenRatio();
    // Draws the picture decoded for the chosen background.
    void BuildBackgroundMenu(std::future<QImage>& picture);
    void Background1Click(int index);
    void LoadBackground();
    // Runs a handler that may fail and shows its failure in the error box.
    void Reporting(const std::function<void()>& handler);
    void ChooseFirstPiece();
    void StartGamepadPolling();
    void PollGamepad();

    void SetSpeed(QAction* item, int fallInterval);
    void SetLateralLatency(QAction* item, int latency);
    void SetDownArrowMode(QAction* item, int mode);
    void SetRedShades(bool redShades);
    void Sound1Click();

    // GameHost
    void PlaySound(Sound sound) override;
    void SetTickInterval(int milliseconds) override;
    void GameOver(std::int32_t score, bool alreadyShown) override;

    PlatformServices platform_;
    const FileLocations files_{platform_.ProgramFolder, platform_.CurrentFolder, platform_.Environment};
    // What the tick reads: the keyboard and the pads together.
    CombinedKeyState keys_{platform_.Keys, platform_.Gamepad};
    BrickImageLists images_; // drawn once, in the constructor, before the well is drawn
    Game game_;
    WellView wellView_;
    MainMenu menu_;
    QString backgroundFile_;
    std::unique_ptr<Backgrounds> backgrounds_;
    std::unique_ptr<SoundEffects> sounds_;
    QWidget* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    bool placed_ = false;
    bool playing_ = false;        // since StartPlay()
    QPropertyNotifier tickWatch_; // starts and stops the pad polling of a game standing still

    QWidget* client_ = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Panel1 = nullptr;
    WellPicture* Image2 = nullptr;
    TTextAnimator* TextAnimator1 = nullptr;
};

} // namespace stacklume
