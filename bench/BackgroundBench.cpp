#include "Backgrounds.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace stacklume {
namespace {

constexpr QSize LargestWell(372, 620);

// A 6000 x 4000 photograph-like picture, written once into a temporary program folder: soft
// out-of-focus shapes over a gradient, with a little grain. It compresses to about 3 MB, like a
// camera picture of that size, and decodes at full size in about 100 ms here.
class LargePictureFolder {
public:
    LargePictureFolder() {
        QDir(folder_.path()).mkdir(QStringLiteral("background"));
        QImage picture(6000, 4000, QImage::Format_RGB32);
        QRandomGenerator random(7);
        {
            QPainter painter(&picture);
            QLinearGradient sky(0, 0, 0, picture.height());
            sky.setColorAt(0, QColor(20, 30, 70));
            sky.setColorAt(0.6, QColor(120, 90, 110));
            sky.setColorAt(1, QColor(30, 60, 40));
            painter.fillRect(picture.rect(), sky);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            for (int i = 0; i < 400; ++i) {
                const QPointF centre(random.bounded(picture.width()), random.bounded(picture.height()));
                const double radius = 40 + random.bounded(400.0);
                QColor colour =
                    QColor::fromHsv(random.bounded(360), 60 + random.bounded(120), 60 + random.bounded(150));
                QRadialGradient glow(centre, radius);
                glow.setColorAt(0, colour);
                colour.setAlpha(0);
                glow.setColorAt(1, colour);
                painter.setBrush(glow);
                painter.drawEllipse(centre, radius, radius);
            }
        }
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                const int grain = int(random.bounded(9)) - 4;
                const QRgb pixel = row[x];
                row[x] = qRgb(qBound(0, qRed(pixel) + grain, 255), qBound(0, qGreen(pixel) + grain, 255),
                              qBound(0, qBlue(pixel) + grain, 255));
            }
        }
        saved_ = picture.save(folder_.filePath(QStringLiteral("background/photo.jpg")), "JPEG", 90);
    }

    bool Saved() const { return saved_; }
    QString Path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
    bool saved_ = false;
};

void BM_LoadBackground(benchmark::State& state) {
    static const LargePictureFolder pictures;
    if (!pictures.Saved()) {
        state.SkipWithError("could not write the 6000 x 4000 picture");
        return;
    }
    const Backgrounds backgrounds({pictures.Path() + QStringLiteral("/background")});
    QImage buffer(LargestWell, QImage::Format_RGB32);
    buffer.fill(Qt::lightGray);
    for (auto _ : state) {
        // Timing a load that found no picture would measure nothing worth knowing.
        if (!backgrounds.LoadPicture(QStringLiteral("photo.jpg"), buffer)) {
            state.SkipWithError("photo.jpg was not drawn");
            break;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LoadBackground)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace stacklume
