#include "OnceOnScreen.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace stacklume {
namespace {

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

constexpr int Deadline = 10000;

TEST(OnceOnScreenTest, RunsOnceAfterTheFirstPaint) {
    PaintCounter window;
    window.resize(120, 80);
    window.show();
    int runs = 0;
    int paintsBefore = 0;
    RunOnceOnScreen(window, [&] {
        ++runs;
        paintsBefore = window.paints;
    });
    EXPECT_EQ(runs, 0) << "ran before the event loop";
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs == 1; }, Deadline));
    EXPECT_GE(paintsBefore, 1);

    window.hide();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST(OnceOnScreenTest, AWindowNeverExposedRunsItAllTheSame) {
    QWidget window;
    bool ran = false;
    RunOnceOnScreen(window, [&] { ran = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, Deadline));
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace stacklume
