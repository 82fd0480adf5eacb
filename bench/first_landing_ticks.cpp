// The longest game tick around the first landings, where the first sounds are asked for: the
// window's own tick, paced as its timer paces it (45 ms), the piece left to fall and land by
// itself, beside whatever sound server the environment names (scripts/measure-performance
// starts one). Usage: first_landing_ticks [landings]

#include "FakePlatform.h"
#include "MainWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

void RunEventsFor(std::chrono::milliseconds span) {
    QEventLoop events;
    QTimer::singleShot(span, Qt::PreciseTimer, &events, &QEventLoop::quit);
    events.exec();
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const int landings = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    stacklume::testing::FakePlatform platform;
    stacklume::MainWindow window(platform.services);
    window.StartPlay();
    // The timer is stopped: each tick is made and timed here, at the timer's own pace.
    window.Timer1->stop();

    std::vector<double> ticks;
    std::vector<double> landingTicks;
    int landed = 0;
    bool wasLanding = false;
    while (landed < landings && ticks.size() < 100'000) {
        RunEventsFor(std::chrono::milliseconds(window.Timer1->interval()));
        platform.tickCount += static_cast<std::uint32_t>(window.Timer1->interval());
        const auto start = Clock::now();
        window.Timer1Timer();
        ticks.push_back(Milliseconds(Clock::now() - start));
        const bool landing = window.GetGame().Values().Landing;
        if (landing && !wasLanding) {
            landingTicks.push_back(ticks.back());
            ++landed;
        }
        wasLanding = landing;
    }
    std::vector<double> sorted = ticks;
    std::sort(sorted.begin(), sorted.end());
    std::printf("game ticks over the first %d landings: longest %.2f ms, median %.2f ms over %zu ticks; the "
                "landing ticks (which ask for the knock):",
                landed, sorted.back(), sorted[sorted.size() / 2], ticks.size());
    for (const double tick : landingTicks)
        std::printf(" %.2f ms", tick);
    std::printf("\n");
    return 0;
}
