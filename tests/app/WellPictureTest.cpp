#include "WellPicture.h"

#include <QApplication>
#include <QPaintEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace stacklume::testing {
namespace {

// Records the region of every paint event of the picture.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return QObject::eventFilter(watched, event);
    }
    QRegion painted;
};

TEST(WellPictureTest, AFrameIsRepaintedOnlyWhereItChanged) {
    WellPicture picture;
    picture.resize(288, 480);
    PaintRecorder recorder;
    picture.installEventFilter(&recorder);
    picture.show();
    QImage frame(288, 480, QImage::Format_RGB32);
    frame.fill(Qt::darkCyan);
    picture.Present(frame, QRegion(frame.rect()));
    QApplication::processEvents();
    ASSERT_EQ(picture.Frame(), frame);

    recorder.painted = QRegion();
    const QRegion changed = QRegion(48, 24, 24, 24) + QRegion(48, 120, 24, 24);
    frame.fill(Qt::red);
    picture.Present(frame, changed);
    QApplication::processEvents();
    EXPECT_EQ(recorder.painted, changed);
    EXPECT_EQ(picture.grab().toImage().pixelColor(50, 130), QColor(Qt::red)) << "painted from the frame";

    recorder.painted = QRegion();
    picture.Present(frame, QRegion());
    QApplication::processEvents();
    EXPECT_TRUE(recorder.painted.isEmpty());

    // A frame of device pixels at 150 %: what changed is repainted in every logical pixel it
    // touches, and the picture, painted at 100 % here, asks for a frame of its own ratio.
    QSignalSpy ratioChanged(&picture, &WellPicture::ratioChanged);
    QImage scaled(432, 720, QImage::Format_RGB32);
    scaled.setDevicePixelRatio(1.5);
    picture.Present(scaled, QRegion(scaled.rect()));
    QApplication::processEvents();
    EXPECT_FALSE(ratioChanged.isEmpty());
    recorder.painted = QRegion();
    picture.Present(scaled, QRegion(37, 37, 37, 36));
    QApplication::processEvents();
    EXPECT_EQ(recorder.painted, QRegion(24, 24, 26, 25));
}

} // namespace
} // namespace stacklume::testing
