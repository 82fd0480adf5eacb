#include "Backgrounds.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace stacklume {
namespace {

constexpr QSize LargestWell(372, 620);

// A 6000 x 4000 photograph-like picture (gradients and grain, so it compresses like a photo),
// written once into a temporary program folder.
class LargePictureFolder {
public:
    LargePictureFolder() {
        QDir(folder_.path()).mkdir(QStringLiteral("background"));
        QImage picture(6000, 4000, QImage::Format_RGB32);
        {
            QPainter painter(&picture);
            QLinearGradient sky(0, 0, 6000, 4000);
            sky.setColorAt(0, QColor(20, 30, 70));
            sky.setColorAt(0.6, QColor(120, 90, 110));
            sky.setColorAt(1, QColor(30, 60, 40));
            painter.fillRect(picture.rect(), sky);
        }
        QRandomGenerator random(7);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                const int grain = int(random.bounded(24)) - 12;
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
    const Backgrounds backgrounds(pictures.Path());
    QImage buffer(LargestWell, QImage::Format_RGB32);
    buffer.fill(Qt::lightGray);
    for (auto _ : state) {
        const bool drawn = backgrounds.LoadPicture(QStringLiteral("photo.jpg"), buffer);
        benchmark::DoNotOptimize(drawn);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LoadBackground)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace stacklume
