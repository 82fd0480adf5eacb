#include "TTextAnimator.h"
#include "SystemColors.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

const QColor PanelColor(0, 0, 255);
const QColor WellColor(60, 60, 60);

// Waits for the event loop to bring a condition about, with a generous deadline.
template <typename Condition> bool PollUntil(Condition condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 10000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The game's caption over the well picture on a blue panel, its stored values applied the way
// its window does.
class TTextAnimatorTest : public ::testing::Test {
protected:
    TTextAnimatorTest() : well(new QWidget(&panel)), caption(new TTextAnimator(&panel)) {
        panel.resize(300, 100);
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, PanelColor);
        panel.setPalette(palette);
        well->setGeometry(0, 0, 300, 100);
        palette.setColor(QPalette::Window, WellColor);
        well->setPalette(palette);
        well->setAutoFillBackground(true);

        caption->BeginLoading();
        caption->setGeometry(8, 10, 275, 62);
        caption->SetActive(false);
        caption->SetCaption("GAME OVER");
        caption->SetColorStart(4250111);
        caption->SetColorStop(221);
        QFont font(QStringLiteral("Arial Black"));
        font.setBold(true);
        font.setPixelSize(15);
        caption->setFont(font);
        caption->SetAutoSize(false);
        caption->SetMaxStep(12);
        caption->SetStep(1);
        caption->SetStyle(TTextAnimStyle::taWave);
        caption->Loaded();
    }

    // Shows the panel and waits until it is on screen, so that a repaint really paints.
    void ShowPanel() {
        panel.show();
        ASSERT_TRUE(PollUntil([&] { return panel.windowHandle() && panel.windowHandle()->isExposed(); }));
    }

    // Pixels of the grabbed panel in the area that differ from the colour.
    int CountOtherThan(const QColor& color, const QRect& area) {
        const QImage image = panel.grab().toImage();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixelColor(x, y) != color ? 1 : 0;
        return count;
    }

    const TextAnimation& Animation() const { return caption->Animation(); }
    // The least ink of the eight letters: a stroke as tall as a capital each, in whatever font
    // stands in for "Arial Black" on this machine.
    int LetterInk() const { return 8 * QFontMetrics(caption->font()).capHeight(); }

    QWidget panel;
    QWidget* well;
    TTextAnimator* caption;
};

TEST_F(TTextAnimatorTest, ANewCaptionAnimatesAtOnceSizedToItsEmptyText) {
    TTextAnimator fresh;
    ASSERT_NE(fresh.FrameTimer(), nullptr);
    EXPECT_TRUE(fresh.FrameTimer()->isActive());
    EXPECT_EQ(fresh.FrameTimer()->interval(), 70);
    EXPECT_EQ(fresh.Style(), TTextAnimStyle::taWind);
    EXPECT_TRUE(fresh.Transparent());
    EXPECT_FALSE(fresh.autoFillBackground() || fresh.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(fresh.font().pixelSize(), 13); // Times New Roman bold, 10 points
    EXPECT_EQ(fresh.FontPoints(), 10);
    EXPECT_FALSE(fresh.IsFontStored());
    EXPECT_EQ(fresh.Animation().MaxColorDelta(), 255); // yellow to red
    EXPECT_EQ(fresh.size(), QSize(0, fresh.Animation().LineHeight()));
    EXPECT_GT(fresh.height(), 0);
}

TEST_F(TTextAnimatorTest, StoredValuesAreAppliedWithoutAutoSizing) {
    EXPECT_EQ(caption->geometry(), QRect(8, 10, 275, 62));
    EXPECT_EQ(caption->FontPoints(), 11);
    EXPECT_TRUE(caption->IsFontStored());
    EXPECT_EQ(Animation().CharSteps(), (std::vector<std::int32_t>{0, 4, 7, 10, 11, 11, 10, 7, 4}));
    EXPECT_EQ(Animation().MaxColorDelta(), 217);
}

TEST_F(TTextAnimatorTest, TheTimerExistsExactlyWhileActive) {
    EXPECT_EQ(caption->FrameTimer(), nullptr);
    caption->SetDelay(40); // idle: only stored
    caption->SetActive(true);
    ASSERT_NE(caption->FrameTimer(), nullptr);
    EXPECT_EQ(caption->FrameTimer()->interval(), 40);
    caption->SetDelay(0); // holds the frames, as the platform's timers do
    EXPECT_FALSE(caption->FrameTimer()->isActive());
    caption->SetDelay(5);
    EXPECT_TRUE(caption->FrameTimer()->isActive());

    ShowPanel();
    const auto initial = Animation().CharSteps();
    ASSERT_TRUE(PollUntil([&] { return Animation().CharSteps() != initial; }));
    caption->SetActive(false);
    EXPECT_EQ(caption->FrameTimer(), nullptr);
    const auto stopped = Animation().CharSteps();
    QApplication::processEvents();
    caption->SetActive(true); // continues where it stopped
    EXPECT_EQ(Animation().CharSteps(), stopped);
}

TEST_F(TTextAnimatorTest, AutoSizeFollowsTheTextTheFontAndMaxStep) {
    caption->SetAutoSize(true);
    const QSize small = caption->size();
    EXPECT_EQ(small, QSize(Animation().TotalWidth(), Animation().LineHeight()));
    caption->SetFontPoints(12);
    EXPECT_EQ(caption->font().pixelSize(), 16);
    EXPECT_EQ(caption->FontPoints(), 12);
    EXPECT_GT(caption->width(), small.width());
    EXPECT_GT(caption->height(), small.height());
    caption->SetMaxStep(2);
    EXPECT_LT(caption->width(), small.width());
    EXPECT_EQ(caption->pos(), QPoint(8, 10));

    caption->SetAutoSize(false);
    caption->SetCaption("A much longer caption than before");
    EXPECT_LT(caption->width(), Animation().TotalWidth());
}

TEST_F(TTextAnimatorTest, EveryPaintAdvancesTheColourSweepByTheCharacterCount) {
    ShowPanel();
    const int before = Animation().ColorCounter();
    const auto sizes = Animation().CharSteps();
    caption->repaint(); // as when the window is uncovered
    EXPECT_EQ(Animation().ColorCounter(), before + 9);
    EXPECT_EQ(Animation().CharSteps(), sizes);

    caption->NextFrame(); // moves and paints at once
    EXPECT_EQ(Animation().ColorCounter(), before + 18);
    EXPECT_NE(Animation().CharSteps(), sizes);

    caption->hide(); // moves, but does not paint
    caption->NextFrame();
    EXPECT_EQ(Animation().ColorCounter(), before + 18);
    caption->show();
    caption->SetColorAnimation(false);
    caption->repaint();
    EXPECT_EQ(Animation().ColorCounter(), before + 18);
}

TEST_F(TTextAnimatorTest, TransparentLettersShowTheWellAroundThem) {
    ShowPanel();
    EXPECT_EQ(caption->Color(), PanelColor); // which must not show
    const QRect area = caption->geometry();
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(area.topLeft()), WellColor);
    EXPECT_EQ(image.pixelColor(area.bottomRight()), WellColor);
    EXPECT_EQ(image.pixelColor(area.left(), area.center().y()), WellColor);
    int warm = 0; // letters in the sweep's colours: much red, no blue of their own
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            warm += image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).blue() < 80 ? 1 : 0;
    EXPECT_GT(warm, LetterInk());

    // Left, centred or right: the first ink column is where the text starts.
    caption->SetMaxStep(0);
    const int free = area.width() - Animation().TotalWidth();
    for (const auto& [alignment, start] :
         {std::pair{Qt::AlignLeft, 0}, {Qt::AlignHCenter, free / 2}, {Qt::AlignRight, free}}) {
        caption->SetAlignment(alignment);
        EXPECT_EQ(CountOtherThan(WellColor, QRect(area.left(), area.top(), start, area.height())), 0);
        EXPECT_GT(CountOtherThan(WellColor, QRect(area.left() + start, area.top(), 8, area.height())), 0);
    }
}

TEST_F(TTextAnimatorTest, AnOpaqueCaptionFillsItsRectangleWithItsColour) {
    caption->SetTransparent(false);
    EXPECT_TRUE(caption->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(caption->Color(), PanelColor); // the parent's, until set
    const QColor own(0, 160, 0);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::Window, own);
    caption->setPalette(palette);
    ShowPanel();
    const QRect area = caption->geometry();
    EXPECT_EQ(CountOtherThan(WellColor, area), area.width() * area.height());
    EXPECT_EQ(CountOtherThan(own, QRect(area.topLeft(), QSize(area.width(), 5))), 0);
    EXPECT_GT(CountOtherThan(own, area), LetterInk());
    EXPECT_EQ(CountOtherThan(WellColor, QRect(0, 0, 300, 10)), 0);
}

TEST_F(TTextAnimatorTest, SystemColoursAreResolvedThroughThePalette) {
    QPalette palette = caption->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(10, 20, 30));
    caption->setPalette(palette);
    caption->SetColorStart(SystemColor::WindowText);
    EXPECT_EQ(Animation().StartRGB(), (std::array<std::uint8_t, 3>{10, 20, 30}));
    EXPECT_EQ(Animation().ColorDelta(), (std::array<std::int32_t, 3>{211, -20, -30}));
}

TEST_F(TTextAnimatorTest, PointerHandlersHearOfEnteringAndLeaving) {
    std::vector<std::pair<std::string, TTextAnimator*>> heard;
    caption->SetOnMouseEnter([&](TTextAnimator& sender) { heard.emplace_back("enter", &sender); });
    caption->SetOnMouseLeave([&](TTextAnimator& sender) { heard.emplace_back("leave", &sender); });
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(caption, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(caption, &leave);
    EXPECT_EQ(heard,
              (std::vector<std::pair<std::string, TTextAnimator*>>{{"enter", caption}, {"leave", caption}}));
}

} // namespace
} // namespace stacklume::testing
