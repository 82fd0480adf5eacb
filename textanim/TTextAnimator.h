#pragma once

#include "FontMeasure.h"
#include "TextAnimation.h"

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

class QTimer;

namespace stacklume {

// A one-line caption whose characters swell and shrink, each from its own starting size, while
// their colour sweeps from ColorStart to ColorStop and back. Transparent, it paints only the
// letters, so whatever lies beneath shows around them.
//
// Sizes are in points of 96/72 pixels, independent of the screen's DPI. Bounds, visibility, the
// background colour (the palette's window role, inherited from the parent unless set) and the
// mouse events are QWidget's own.
class TTextAnimator : public QWidget {
    Q_OBJECT

public:
    using MouseHandler = std::function<void(TTextAnimator& sender)>;

    static constexpr std::uint16_t DefaultDelay = 70;
    static constexpr std::uint32_t DefaultColorStart = 65535; // yellow
    static constexpr std::uint32_t DefaultColorStop = 255;    // red

    // Starts animating at once, in Times New Roman bold, 10 points.
    explicit TTextAnimator(QWidget* parent = nullptr);
    ~TTextAnimator() override;

    // The frame timer exists exactly while active. Stopping and starting again continues
    // where the last frame left off.
    bool Active() const { return frameTimer_ != nullptr; }
    void SetActive(bool active);
    // Milliseconds between frames; 0 holds the frames, as the platform's timers do.
    std::uint16_t Delay() const { return delay_; }
    void SetDelay(std::uint16_t delay);
    // Largest size offset in points. Lowering it below Step lowers Step with it.
    std::uint16_t MaxStep() const { return animation_.MaxStep(); }
    void SetMaxStep(std::uint16_t maxStep);
    // Points per frame, never above MaxStep.
    std::uint16_t Step() const { return animation_.Step(); }
    void SetStep(std::uint16_t step);
    TTextAnimStyle Style() const { return animation_.Style(); }
    void SetStyle(TTextAnimStyle style);
    // Sizes the widget to the text whenever the text, the font or MaxStep change.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // Qt::AlignLeft or Qt::AlignRight; any other value centres the text.
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // Without colour animation the letters take the palette's window-text colour.
    bool ColorAnimation() const { return colorAnimation_; }
    void SetColorAnimation(bool colorAnimation) { colorAnimation_ = colorAnimation; }
    // Colour values: red in the low byte, then green, then blue; or a SystemColor.
    std::uint32_t ColorStart() const { return colorStart_; }
    void SetColorStart(std::uint32_t color);
    std::uint32_t ColorStop() const { return colorStop_; }
    void SetColorStop(std::uint32_t color);
    // One character per byte (Latin-1).
    QByteArray Caption() const;
    void SetCaption(const QByteArray& caption);
    // The font's size in points; setFont works as well.
    int FontPoints() const { return animation_.FontPoints(); }
    void SetFontPoints(int points);
    const MouseHandler& OnMouseEnter() const { return onMouseEnter_; }
    void SetOnMouseEnter(MouseHandler handler) { onMouseEnter_ = std::move(handler); }
    const MouseHandler& OnMouseLeave() const { return onMouseLeave_; }
    void SetOnMouseLeave(MouseHandler handler) { onMouseLeave_ = std::move(handler); }

    // The background colour: the palette's window role.
    QColor Color() const;

    // An owner that applies a set of stored properties brackets them with BeginLoading and
    // Loaded, so that auto-sizing waits for the complete set.
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool IsLoading() const { return loading_; }
    // Whether the font and the size differ from what construction and auto-sizing give.
    bool IsFontStored() const { return fontModified_; }
    bool IsSizeStored() const { return !autoSize_; }

    // Restarts the colour sweep from ColorStart, resolving system colours.
    void ResetColors();
    // Moves the characters one frame on and repaints at once, if visible.
    void NextFrame();
    // Sizes the widget to the measured text; not while loading.
    void AdjustClientSize();

    const TextAnimation& Animation() const { return animation_; }
    const QTimer* FrameTimer() const { return frameTimer_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Paint(const QRect& area);
    void PaintFrame(QPainter& canvas, const QRect& area);
    int FrameLeft() const;
    void TimerExpired() { NextFrame(); }

    std::uint16_t delay_ = DefaultDelay;
    bool autoSize_ = true;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    bool colorAnimation_ = true;
    std::uint32_t colorStart_ = DefaultColorStart;
    std::uint32_t colorStop_ = DefaultColorStop;
    bool transparent_ = true;
    MouseHandler onMouseEnter_;
    MouseHandler onMouseLeave_;

    FontMeasure measure_;
    TextAnimation animation_;
    std::unique_ptr<QTimer> frameTimer_;
    bool fontModified_ = false;
    bool loading_ = false;
    QImage frameBitmap_;
    bool inPaint_ = false;
};

} // namespace stacklume
