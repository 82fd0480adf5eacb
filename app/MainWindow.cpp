#include "MainWindow.h"

#include "Backgrounds.h"
#include "ElapsedTimeText.h"
#include "IniFile.h"
#include "SoundEffects.h"
#include "TForm3.h"
#include "TTextAnimator.h"
#include "WellPicture.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

#include <future>

namespace stacklume {

namespace {

constexpr int DesignedTickInterval = 150;
constexpr int ClockInterval = 1000;
// How often the pads are read while the game tick stands still.
constexpr int IdlePadInterval = 50;
const QColor PanelGrey(184, 184, 184);
const QString RunningCaption = QStringLiteral("Stacklume");
const QString PausedCaption = QStringLiteral("Stacklume - Pause");

double DayFraction(QTime time) { return time.msecsSinceStartOfDay() / 86'400'000.0; }

QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// Switching on a timer that already runs leaves it running undisturbed.
void Enable(QTimer* timer) {
    if (!timer->isActive())
        timer->start();
}

void Toggle(QTimer* timer) {
    if (timer->isActive())
        timer->stop();
    else
        timer->start();
}

} // namespace

MainWindow::MainWindow(PlatformServices platform, QWidget* parent)
    : QMainWindow(parent), platform_(std::move(platform)), game_(*this), wellView_(images_) {
    const int sizeClass = SizeClassForScreenHeight(platform_.ScreenHeight);
    const Preferences preferences = ReadPreferences(IniFile(SettingsFilePath(files_.SettingsFolder())));
    backgrounds_ = std::make_unique<Backgrounds>(files_.BackgroundFolders());
    // The screen the window is most likely to appear on; should it appear on another, the well
    // is drawn again for that one.
    const qreal ratio = devicePixelRatioF();
    // The bricks are drawn and the picture decoded on other cores while the window is built.
    auto images =
        std::async(std::launch::async, [sizeClass, ratio] { return MakeBrickImages(sizeClass, ratio); });
    auto picture =
        std::async(std::launch::async, [this, sizeClass, ratio, file = preferences.BackgroundFile] {
            return backgrounds_->DecodePicture(backgrounds_->ChooseFile(file),
                                               LayoutForSizeClass(sizeClass).Image.size() * ratio, ratio);
        });
    BuildControls();
    ConnectMenu();
    ApplySettings(preferences);
    images_ = images.get();
    ApplyLayout(sizeClass);
    PrepareBuffers(ratio);
    BuildBackgroundMenu(picture);
    game_.ClearWell();
    sounds_ = std::make_unique<SoundEffects>(files_.DataFolderFor(SoundEffects::FileNames).toStdString());
    // Connecting to the sound server and caching the sounds is done now, off this thread, rather
    // than by the first landing's tick.
    if (game_.Options().SoundOn)
        sounds_->Prepare();
    ChooseFirstPiece();
    // Nothing runs before StartPlay(): the commands need the dialogs, which come later.
    menuBar()->setEnabled(false);
}

MainWindow::~MainWindow() = default;

void MainWindow::AttachDialogs(QWidget* form2, TForm3* form3) {
    Form2 = form2;
    Form3 = form3;
}

void MainWindow::BuildControls() {
    setWindowTitle(RunningCaption);
    // Fixed size, minimize but no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    menu_ = BuildMainMenu(*menuBar(), *this);

    // The client area under the menu bar carries the form's font; the menu bar keeps the desktop's.
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Form1"));
    client_->setFont(PixelFont(QStringLiteral("Arial"), 13));
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Label1 = new QLabel(QStringLiteral("0"), client_);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    Panel1 = new QFrame(client_);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    QPalette panelColours = Panel1->palette();
    panelColours.setColor(QPalette::Window, PanelGrey);
    Panel1->setPalette(panelColours);
    Panel1->setAutoFillBackground(true);

    Image2 = new WellPicture(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    // Not while the picture paints: the new frame is drawn just after.
    connect(Image2, &WellPicture::ratioChanged, this, &MainWindow::FollowScreenRatio, Qt::QueuedConnection);
    BuildCaption();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(DesignedTickInterval);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(ClockInterval);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::Timer2Timer);
}

void MainWindow::BuildCaption() {
    // The "GAME OVER" caption over the well: idle and hidden until a game ends.
    TextAnimator1 = new TTextAnimator(Panel1);
    TextAnimator1->setObjectName(QStringLiteral("TextAnimator1"));
    TextAnimator1->BeginLoading();
    TextAnimator1->SetActive(false);
    TextAnimator1->SetAutoSize(false);
    TextAnimator1->SetCaption("GAME OVER");
    TextAnimator1->SetColorStart(4250111);
    TextAnimator1->SetColorStop(221);
    QFont font(QStringLiteral("Arial Black"));
    font.setBold(true);
    TextAnimator1->setFont(font);
    TextAnimator1->SetFontPoints(11);
    QPalette text = TextAnimator1->palette();
    text.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    TextAnimator1->setPalette(text);
    TextAnimator1->SetMaxStep(12);
    TextAnimator1->SetStep(1);
    TextAnimator1->SetStyle(TTextAnimStyle::taWave);
    TextAnimator1->setVisible(false);
    TextAnimator1->Loaded();
}

void MainWindow::ConnectMenu() {
    connect(menu_.newgame1, &QAction::triggered, this, &MainWindow::newgame1Click);
    connect(menu_.pause1, &QAction::triggered, this, &MainWindow::pause1Click);
    connect(menu_.score1, &QAction::triggered, this, &MainWindow::score1Click);
    connect(menu_.quit1, &QAction::triggered, this, &MainWindow::quit1Click);

    connect(menu_.veryslow, &QAction::triggered, this,
            [this] { SetSpeed(menu_.veryslow, FallIntervalVerySlow); });
    connect(menu_.slow, &QAction::triggered, this, [this] { SetSpeed(menu_.slow, FallIntervalSlow); });
    connect(menu_.normal, &QAction::triggered, this, [this] { SetSpeed(menu_.normal, FallIntervalMedium); });
    connect(menu_.fast, &QAction::triggered, this, [this] { SetSpeed(menu_.fast, FallIntervalFast); });
    connect(menu_.Veyfast, &QAction::triggered, this,
            [this] { SetSpeed(menu_.Veyfast, FallIntervalVeryFast); });
    connect(menu_.N12, &QAction::triggered, this,
            [this] { SetLateralLatency(menu_.N12, LateralLatencyShort); });
    connect(menu_.N22, &QAction::triggered, this,
            [this] { SetLateralLatency(menu_.N22, LateralLatencyMedium); });
    connect(menu_.N32, &QAction::triggered, this,
            [this] { SetLateralLatency(menu_.N32, LateralLatencyLong); });
    connect(menu_.Drop1, &QAction::triggered, this, [this] { SetDownArrowMode(menu_.Drop1, DownArrowDrop); });
    connect(menu_.Fastdrop1, &QAction::triggered, this,
            [this] { SetDownArrowMode(menu_.Fastdrop1, DownArrowFastDrop); });
    connect(menu_.Rotate1, &QAction::triggered, this,
            [this] { SetDownArrowMode(menu_.Rotate1, DownArrowRotation); });
    connect(menu_.multicolor1, &QAction::triggered, this, [this] { SetRedShades(false); });
    connect(menu_.redshade1, &QAction::triggered, this, [this] { SetRedShades(true); });
    connect(menu_.Sound1, &QAction::triggered, this, &MainWindow::Sound1Click);
    connect(menu_.newbricks1, &QAction::triggered, this, &MainWindow::newbricks1Click);
    connect(menu_.rules1, &QAction::triggered, this, &MainWindow::rules1Click);
    connect(menu_.stacklume20, &QAction::triggered, this, [this] { OpenWebSite(true); });
    connect(menu_.solvane1, &QAction::triggered, this, [this] { OpenWebSite(false); });
    connect(menu_.email, &QAction::triggered, this, [this] { OpenWebSite(false); });
}

void MainWindow::ApplyLayout(int sizeClass) {
    const WindowLayout& layout = LayoutForSizeClass(sizeClass);
    GameOptions& options = game_.Options();
    options.SizeClass = sizeClass;
    options.CellPitch = layout.CellPitch;
    options.ActiveImageList = SelectImageList(sizeClass, options.RedShades);

    client_->setFixedSize(layout.ClientSize);
    Panel1->setGeometry(layout.Panel);
    Image2->setGeometry(layout.Image);
    TextAnimator1->setGeometry(layout.Caption);
    TextAnimator1->SetFontPoints(layout.CaptionFontPoints);
    Label1->setGeometry(layout.ScoreLabel);
    Label1->setFont(PixelFont(QStringLiteral("Tahoma"), layout.ScoreLabelFontPixels));
    adjustSize();
    CentreInWorkArea();
}

void MainWindow::CentreInWorkArea() {
    // Centred by the outer size, frame included.
    move(CentredPosition(frameGeometry().size(), platform_.WorkArea));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
    FollowScreenRatio();
    // The first paint shows the well as it stands, without waiting for the first tick.
    wellView_.RenderSettled(game_.CurrentWell(), game_.Options());
    Image2->Present(wellView_.BackBuffer(), wellView_.ChangedArea());
    // The window manager frames the window only once it is mapped, and says so a little later:
    // look for the frame for a moment and centre again when it is known.
    auto* frameWatch = new QTimer(this);
    frameWatch->setInterval(20);
    connect(frameWatch, &QTimer::timeout, this, [this, frameWatch, tries = 0]() mutable {
        const bool framed = frameGeometry() != geometry();
        if (framed)
            CentreInWorkArea();
        if (framed || ++tries == 50) {
            frameWatch->stop();
            frameWatch->deleteLater();
        }
    });
    frameWatch->start();
}

void MainWindow::PrepareBuffers(qreal ratio) {
    wellView_.Resize(Image2->size(), ratio, palette().color(QPalette::Button));
}

void MainWindow::FollowScreenRatio() {
    const qreal ratio = Image2->devicePixelRatioF();
    if (ratio == wellView_.Ratio())
        return;
    images_ = MakeBrickImages(game_.Options().SizeClass, ratio);
    wellView_.ChangeRatio(ratio);
    // The picture sharp again at the new pixels; should it fail now, the old one scaled stays.
    Reporting([this] { LoadBackground(); });
    wellView_.RenderAgain(game_.Options());
    Image2->Present(wellView_.BackBuffer(), wellView_.ChangedArea());
}

void MainWindow::ChooseFirstPiece() {
    game_.SeedRandom(static_cast<std::uint32_t>(platform_.CalendarTime()));
    game_.ChooseNextPiece();
}

void MainWindow::StartPlay() {
    if (playing_)
        return;
    playing_ = true;
    // Time spent reading a start-up problem is not playing time.
    game_.SetStartTime(DayFraction(platform_.TimeOfDay()));
    menuBar()->setEnabled(true);
    Timer1->start();
    Timer2->start();
    StartGamepadPolling();
}

void MainWindow::StartGamepadPolling() {
    if (platform_.Gamepad == nullptr)
        return;
    // The tick reads the pads while it runs; while it stands still (paused, over, bricks dialog)
    // they are read from here, so that Start can resume and Back start a new game. This timer
    // runs only then: a game at rest wakes the program for nothing else.
    auto* idlePadTimer = new QTimer(this);
    idlePadTimer->setObjectName(QStringLiteral("IdlePadTimer"));
    idlePadTimer->setInterval(IdlePadInterval);
    connect(idlePadTimer, &QTimer::timeout, this, &MainWindow::PollGamepad);
    auto followTick = [this, idlePadTimer] {
        if (Timer1->isActive())
            idlePadTimer->stop();
        else
            idlePadTimer->start();
    };
    tickWatch_ = Timer1->bindableActive().addNotifier(followTick);
    followTick();
}

void MainWindow::PollGamepad() {
    if (platform_.Gamepad == nullptr)
        return;
    // The pad's buttons run the menu commands, as F9 and F10 do.
    const GamepadPresses presses = platform_.Gamepad->Poll();
    if (presses.Back)
        menu_.newgame1->trigger();
    if (presses.Start)
        menu_.pause1->trigger();
}

void MainWindow::Timer1Timer() {
    const bool running = Timer1->isActive();
    PollGamepad();
    // Start on a pad has just paused the game: this tick does not happen.
    if (running && !Timer1->isActive())
        return;
    const bool locked = game_.Tick(keys_, platform_.TickCount());
    wellView_.RenderFrame(locked ? nullptr : &game_.CurrentPiece(), game_.CurrentWell(), game_.Options());
    Image2->Present(wellView_.BackBuffer(), wellView_.ChangedArea());
}

void MainWindow::Timer2Timer() {
    game_.UpdateElapsedTime(DayFraction(platform_.TimeOfDay()));
    Label1->setText(ScoreLineText(game_.Values().Score, game_.Values().ElapsedTime, QLocale::system()));
}

void MainWindow::newgame1Click() {
    game_.NewGame(static_cast<std::uint32_t>(platform_.CalendarTime()), DayFraction(platform_.TimeOfDay()));
    Enable(Timer1);
    Enable(Timer2);
    TextAnimator1->setVisible(false);
    TextAnimator1->SetActive(false);
}

void MainWindow::pause1Click() {
    Toggle(Timer1);
    Toggle(Timer2);
    setWindowTitle(Timer1->isActive() ? RunningCaption : PausedCaption);
}

void MainWindow::score1Click() {
    if (Timer1->isActive())
        pause1Click();
    if (Form3 != nullptr)
        Form3->ShowBestScores();
}

void MainWindow::quit1Click() { close(); }

void MainWindow::newbricks1Click() {
    Timer1->stop();
    Timer2->stop();
    if (Form2 != nullptr)
        Form2->show();
}

void MainWindow::rules1Click() { platform_.OpenUrl(QUrl::fromLocalFile(files_.HelpPage())); }

void MainWindow::OpenWebSite(bool withFinalSlash) {
    QString address = WebSiteAddress;
    if (!withFinalSlash)
        address.chop(1);
    platform_.OpenUrl(QUrl(address));
}

void MainWindow::ApplyPersonalizedBricks(const BrickPatternTexts& patterns) {
    game_.ApplyPersonalizedBricks(patterns);
    // The bricks dialog applies enabled bricks while it is being made: play starts later, once.
    if (!playing_)
        return;
    Enable(Timer1);
    setWindowTitle(RunningCaption);
    Enable(Timer2);
}

void MainWindow::PlaySound(Sound sound) { sounds_->Play(sound, game_.Options().SoundOn); }

void MainWindow::SetTickInterval(int milliseconds) { Timer1->setInterval(milliseconds); }

void MainWindow::GameOver(std::int32_t score, bool alreadyShown) {
    Timer1->stop();
    Timer2->stop();
    const bool qualifies = Form3 != nullptr && Form3->ScoreQualifies(score);
    if (alreadyShown)
        return;
    if (qualifies) {
        Form3->ShowNameEntry(score);
    } else {
        TextAnimator1->setVisible(true);
        TextAnimator1->SetActive(true);
    }
}

} // namespace stacklume
