// The least a Qt Widgets program like the game can cost while nobody touches it: a window of
// the game's smallest size with a menu bar shaped like the game's, a label set every second, a
// 45 ms precise timer and a 288 x 480 picture, held at the screen's own pixels, in which a block
// falls one row every 180 ms, repainting only the cells it left and entered.
// scripts/measure-performance sets the game beside it.

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QTime>
#include <QTimer>

#include <utility>

namespace {

constexpr int Pitch = 24;
constexpr int Columns = 12;
constexpr int Rows = 20;
constexpr int TicksPerRow = 4;

class FallingBlock : public QWidget {
public:
    explicit FallingBlock(QWidget* parent)
        : QWidget(parent),
          frame_(QSize(Columns * Pitch, Rows * Pitch) * devicePixelRatioF(), QImage::Format_RGB32) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(Columns * Pitch, Rows * Pitch);
        frame_.setDevicePixelRatio(devicePixelRatioF());
        frame_.fill(palette().color(QPalette::Button));
        DrawBlock(Qt::darkCyan);
    }

    // One tick of the timer; every fourth one moves the block down a row, back to the top at the
    // bottom, and repaints the two cells alone.
    void Tick() {
        if (++ticks_ % TicksPerRow != 0)
            return;
        const QRect left = Cell();
        DrawBlock(palette().color(QPalette::Button));
        row_ = (row_ + 1) % Rows;
        DrawBlock(Qt::darkCyan);
        update(left);
        update(Cell());
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const qreal ratio = frame_.devicePixelRatio();
        for (const QRect& rect : event->region())
            painter.drawImage(rect, frame_,
                              QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio));
    }

private:
    QRect Cell() const { return {Columns / 2 * Pitch, row_ * Pitch, Pitch, Pitch}; }

    void DrawBlock(const QColor& colour) {
        QPainter painter(&frame_);
        painter.fillRect(Cell().adjusted(0, 0, -2, -2), colour);
    }

    QImage frame_;
    int ticks_ = 0;
    int row_ = 0;
};

void AddItems(QMenu& menu, int count) {
    for (int item = 1; item <= count; ++item)
        menu.addAction(QStringLiteral("Item %1").arg(item));
}

// The game's menu bar in shape: its menus, submenus, items and function-key shortcuts.
void BuildMenuBar(QMenuBar& bar) {
    QMenu& game = *bar.addMenu(QStringLiteral("Game"));
    for (const int key : {Qt::Key_F9, Qt::Key_F10, Qt::Key_F11}) {
        QAction* item = game.addAction(QStringLiteral("Item"));
        item->setShortcut(key);
        item->setShortcutContext(Qt::ApplicationShortcut);
    }
    AddItems(game, 1);
    QMenu& preferences = *bar.addMenu(QStringLiteral("Preferences"));
    for (const auto& [title, count] :
         {std::pair{"Speed", 5}, {"Lateral latency", 3}, {"Down arrow", 3}, {"Color", 2}, {"Background", 4}})
        AddItems(*preferences.addMenu(QString::fromLatin1(title)), count);
    AddItems(preferences, 2);
    QMenu& help = *bar.addMenu(QStringLiteral("Help"));
    help.addAction(QStringLiteral("Help"))->setShortcut(Qt::Key_F1);
    AddItems(*help.addMenu(QStringLiteral("Controls")), 9);
    AddItems(*help.addMenu(QStringLiteral("About")), 4);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Rest reference"));
    BuildMenuBar(*window.menuBar());
    auto* client = new QWidget(&window);
    client->setFixedSize(444, 563);
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    auto* label = new QLabel(client);
    label->setGeometry(189, 15, 178, 26);
    label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    auto* panel = new QFrame(client);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setGeometry(76, 44, 292, 484);
    auto* picture = new FallingBlock(panel);
    picture->move(2, 2);

    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(45);
    QObject::connect(&tick, &QTimer::timeout, picture, &FallingBlock::Tick);
    tick.start();
    QTimer clock;
    clock.setInterval(1000);
    QObject::connect(&clock, &QTimer::timeout, label, [label] {
        label->setText(QStringLiteral("Score: 0   Time: ") + QTime::currentTime().toString());
    });
    clock.start();

    window.show();
    return application.exec();
}
