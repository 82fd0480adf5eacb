#include "MainWindow.h"

#include "WellPicture.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

namespace stacklume {

namespace {

constexpr int DesignedTickInterval = 150;
constexpr int ClockInterval = 1000;
const QColor PanelGrey(184, 184, 184);

double DayFraction(QTime time) { return time.msecsSinceStartOfDay() / 86'400'000.0; }

QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

MainWindow::MainWindow(PlatformServices platform, QWidget* parent)
    : QMainWindow(parent), platform_(std::move(platform)), images_(MakeBrickImages()), game_(*this),
      wellView_(images_) {
    BuildControls();
    ConnectMenu();
    ApplyPreferences();
    ApplyLayout(SizeClassForScreenHeight(platform_.ScreenHeight));
    PrepareBuffers();
    StartFirstGame();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
    setWindowTitle(QStringLiteral("Stacklume"));
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
    Label1->setFont(PixelFont(QStringLiteral("Tahoma"), 13));

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

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(DesignedTickInterval);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    Timer1->start();

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(ClockInterval);
    Timer2->start();
}

void MainWindow::ConnectMenu() {
    connect(menu_.quit1, &QAction::triggered, this, &MainWindow::quit1Click);
    connect(menu_.veryslow, &QAction::triggered, this,
            [this] { SetSpeed(menu_.veryslow, FallIntervalVerySlow); });
    connect(menu_.slow, &QAction::triggered, this, [this] { SetSpeed(menu_.slow, FallIntervalSlow); });
    connect(menu_.normal, &QAction::triggered, this, [this] { SetSpeed(menu_.normal, FallIntervalMedium); });
    connect(menu_.fast, &QAction::triggered, this, [this] { SetSpeed(menu_.fast, FallIntervalFast); });
    connect(menu_.Veyfast, &QAction::triggered, this,
            [this] { SetSpeed(menu_.Veyfast, FallIntervalVeryFast); });
}

void MainWindow::SetSpeed(QAction* item, int fallInterval) {
    Timer1->setInterval(BaseTickInterval);
    game_.Options().FallInterval = fallInterval;
    item->setChecked(true);
}

void MainWindow::ApplyPreferences() {
    // Without a settings file: Medium speed and lateral latency, everything else as designed.
    SetSpeed(menu_.normal, FallIntervalMedium);
    game_.Options().LateralLatency = LateralLatencyMedium;
    menu_.N22->setChecked(true);
}

void MainWindow::ApplyLayout(int sizeClass) {
    layout_ = &LayoutForSizeClass(sizeClass);
    GameOptions& options = game_.Options();
    options.SizeClass = sizeClass;
    options.CellPitch = layout_->CellPitch;
    options.ActiveImageList = SelectImageList(sizeClass, options.RedShades);

    client_->setFixedSize(layout_->ClientSize);
    Panel1->setGeometry(layout_->Panel);
    Image2->setGeometry(layout_->Image);
    Label1->setGeometry(layout_->ScoreLabel);
    Label1->setFont(PixelFont(QStringLiteral("Tahoma"), layout_->ScoreLabelFontPixels));
    adjustSize();
    CentreInWorkArea();
}

void MainWindow::CentreInWorkArea() {
    // Centred by the outer size, frame included, once the window manager has told us the frame.
    move(CentredPosition(frameGeometry().size(), platform_.WorkArea));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
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

void MainWindow::PrepareBuffers() { wellView_.Resize(Image2->size(), palette().color(QPalette::Button)); }

void MainWindow::StartFirstGame() {
    game_.ClearWell();
    game_.SeedRandom(static_cast<std::uint32_t>(platform_.CalendarTime()));
    game_.ChooseNextPiece();
    game_.SetStartTime(DayFraction(platform_.TimeOfDay()));
}

void MainWindow::Timer1Timer() {
    const bool locked = game_.Tick(*platform_.Keys, platform_.TickCount());
    wellView_.RenderFrame(locked ? nullptr : &game_.CurrentPiece(), game_.CurrentWell(), game_.Options());
    Image2->Present(wellView_.BackBuffer());
}

void MainWindow::quit1Click() { close(); }

void MainWindow::PlaySound(Sound) {}

void MainWindow::SetTickInterval(int milliseconds) { Timer1->setInterval(milliseconds); }

void MainWindow::GameOver(std::int32_t, bool) {
    Timer1->stop();
    Timer2->stop();
}

} // namespace stacklume
