#include "TTextAnimator.h"
#include "FontPoints.h"
#include "SystemColors.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QTimer>

#include <chrono>

namespace stacklume {

namespace {

std::uint32_t ClockSeed() {
    // The low 32 bits of a high-resolution count: two captions built in a row still differ.
    return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace

TTextAnimator::TTextAnimator(QWidget* parent)
    : QWidget(parent), measure_(*this), animation_(measure_, ClockSeed()) {
    // Transparent, the letters are drawn over whatever Qt has already painted beneath them.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);

    QFont initialFont = font();
    initialFont.setFamily(QStringLiteral("Times New Roman"));
    initialFont.setBold(true);
    setFont(FontAtPoints(initialFont, TextAnimation::DefaultFontPoints));
    // Construction's own font is no modification.
    fontModified_ = false;

    animation_.ResetAnimation(true);
    ResetColors();
    SetActive(true);
}

TTextAnimator::~TTextAnimator() { SetActive(false); }

void TTextAnimator::SetActive(bool active) {
    if (active == Active())
        return;
    if (!active) {
        frameTimer_.reset();
        return;
    }
    frameTimer_ = std::make_unique<QTimer>();
    frameTimer_->setInterval(delay_);
    connect(frameTimer_.get(), &QTimer::timeout, this, &TTextAnimator::TimerExpired);
    if (delay_ > 0)
        frameTimer_->start();
}

void TTextAnimator::SetDelay(std::uint16_t delay) {
    if (delay == delay_)
        return;
    delay_ = delay;
    if (!frameTimer_)
        return;
    frameTimer_->setInterval(delay_);
    if (delay_ == 0)
        frameTimer_->stop();
    else if (!frameTimer_->isActive())
        frameTimer_->start();
}

void TTextAnimator::SetMaxStep(std::uint16_t maxStep) {
    if (animation_.SetMaxStep(maxStep) && autoSize_)
        AdjustClientSize();
}

void TTextAnimator::SetStep(std::uint16_t step) { animation_.SetStep(step); }

void TTextAnimator::SetStyle(TTextAnimStyle style) { animation_.SetStyle(style); }

void TTextAnimator::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    if (autoSize_)
        AdjustClientSize();
}

void TTextAnimator::SetAlignment(Qt::Alignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    update();
}

void TTextAnimator::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
    update();
}

void TTextAnimator::SetColorStart(std::uint32_t color) {
    if (color == colorStart_)
        return;
    colorStart_ = color;
    ResetColors();
}

void TTextAnimator::SetColorStop(std::uint32_t color) {
    if (color == colorStop_)
        return;
    colorStop_ = color;
    ResetColors();
}

QByteArray TTextAnimator::Caption() const { return QByteArray::fromStdString(animation_.Caption()); }

void TTextAnimator::SetCaption(const QByteArray& caption) {
    if (caption == Caption())
        return;
    animation_.SetCaption(caption.toStdString());
    update();
    if (autoSize_)
        AdjustClientSize();
}

void TTextAnimator::SetFontPoints(int points) { setFont(FontAtPoints(font(), points)); }

QColor TTextAnimator::Color() const { return palette().color(backgroundRole()); }

void TTextAnimator::Loaded() {
    loading_ = false;
    if (autoSize_)
        AdjustClientSize();
}

void TTextAnimator::ResetColors() {
    animation_.ResetColors(ResolveColor(colorStart_, palette()), ResolveColor(colorStop_, palette()));
}

void TTextAnimator::NextFrame() {
    animation_.NextFrame();
    // At once rather than queued: the frames keep their pace even when the event loop is busy.
    repaint();
}

void TTextAnimator::AdjustClientSize() {
    if (loading_)
        return;
    resize(animation_.TotalWidth(), animation_.LineHeight());
}

void TTextAnimator::paintEvent(QPaintEvent* event) { Paint(event->rect()); }

void TTextAnimator::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    animation_.FontChanged(PointsOfFont(font()));
    fontModified_ = true;
    if (autoSize_)
        AdjustClientSize();
}

void TTextAnimator::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (onMouseEnter_)
        onMouseEnter_(*this);
}

void TTextAnimator::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (onMouseLeave_)
        onMouseLeave_(*this);
}

void TTextAnimator::Paint(const QRect& area) {
    if (inPaint_)
        return;
    inPaint_ = true;
    const auto clearInPaint = qScopeGuard([this] { inPaint_ = false; });

    // Composed off screen and copied in one go, so the caption never flickers. Only the area
    // being painted is composed: a caption far wider than the screen costs no more than it shows.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = area.size() * ratio;
    if (frameBitmap_.size() != pixels || frameBitmap_.devicePixelRatio() != ratio) {
        frameBitmap_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        frameBitmap_.setDevicePixelRatio(ratio);
    }
    // Null when empty, or when too large to allocate: nothing to show then.
    if (frameBitmap_.isNull())
        return;
    {
        QPainter canvas(&frameBitmap_);
        canvas.translate(-area.topLeft());
        PaintFrame(canvas, area);
    }
    QPainter(this).drawImage(area.topLeft(), frameBitmap_);
}

void TTextAnimator::PaintFrame(QPainter& canvas, const QRect& area) {
    const QColor background = Color();
    if (transparent_) {
        canvas.setCompositionMode(QPainter::CompositionMode_Source);
        canvas.fillRect(area, Qt::transparent);
        canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
        canvas.setBackgroundMode(Qt::TransparentMode);
    } else {
        // Each character on a box of the background colour, as over a filled rectangle.
        canvas.fillRect(area, background);
        canvas.setBackgroundMode(Qt::OpaqueMode);
        canvas.setBackground(background);
    }

    const QColor fontColor = palette().color(foregroundRole());
    const std::string& caption = animation_.Caption();
    const auto& steps = animation_.CharSteps();
    const auto& widths = animation_.CharWidths();
    // Every character shares the top edge; larger ones reach further down and to the right.
    const int top = (height() - animation_.LineHeight()) / 2;
    // No glyph overhangs its advance by a whole line height.
    const std::int64_t reach = animation_.LineHeight();
    std::int64_t left = FrameLeft();
    for (int i = 0; i < animation_.CharCount(); ++i) {
        // The sweep advances for every character, drawn or not, so that every paint moves it alike.
        const QColor color = colorAnimation_ ? ToQColor(animation_.MakeFontColor()) : fontColor;
        if (left <= area.right() && left + widths[i] + reach >= area.left()) {
            canvas.setFont(FontAtPoints(font(), FontPoints() + steps[i]));
            canvas.setPen(color);
            const QPointF baseline(static_cast<qreal>(left), top + canvas.fontMetrics().ascent());
            canvas.drawText(baseline, QString(QChar::fromLatin1(caption[i])));
        }
        left += widths[i];
    }
}

int TTextAnimator::FrameLeft() const {
    const int free = width() - animation_.TotalWidth();
    if (alignment_ & Qt::AlignLeft)
        return 0;
    if (alignment_ & Qt::AlignRight)
        return free;
    return free / 2;
}

} // namespace stacklume
