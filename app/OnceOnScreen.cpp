#include "OnceOnScreen.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace stacklume {

namespace {

constexpr int LatestStart = 1000;

class FirstExposure : public QObject {
public:
    FirstExposure(QWidget& window, std::function<void()> work) : QObject(&window), work_(std::move(work)) {
        window.winId(); // the native window, whose exposure is watched
        window.windowHandle()->installEventFilter(this);
        QTimer::singleShot(LatestStart, this, &FirstExposure::Run);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Queued: the exposure is painted first.
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, this, &FirstExposure::Run);
        return false;
    }

private:
    void Run() {
        if (!work_)
            return;
        const std::function<void()> work = std::exchange(work_, {});
        deleteLater();
        work();
    }

    std::function<void()> work_;
};

} // namespace

void RunOnceOnScreen(QWidget& window, std::function<void()> work) {
    new FirstExposure(window, std::move(work));
}

} // namespace stacklume
