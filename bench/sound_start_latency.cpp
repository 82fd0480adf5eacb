// How soon a sound starts after its request once the game has been silent long enough for its
// output to be closed: the time from the request until the sound server starts a stream for it,
// seen from a second client of the server. Also how long the request holds the caller, and the
// longest event handler meanwhile. The sounds are prepared as the game prepares them when play
// starts. Run by scripts/measure-performance against its private server.
// Usage: sound_start_latency FOLDER [requests]

#include "SoundEffects.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Notes the moment the server announces each new stream.
class StreamWatch {
public:
    StreamWatch() : loop_(pa_threaded_mainloop_new()) {
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "sound start latency");
        pa_context_set_state_callback(
            context_,
            [](pa_context*, void* loop) {
                pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
            },
            loop_);
        pa_threaded_mainloop_lock(loop_);
        pa_threaded_mainloop_start(loop_);
        pa_context_connect(context_, nullptr, PA_CONTEXT_NOFLAGS, nullptr);
        while (PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) &&
               pa_context_get_state(context_) != PA_CONTEXT_READY)
            pa_threaded_mainloop_wait(loop_);
        const bool ready = pa_context_get_state(context_) == PA_CONTEXT_READY;
        if (ready) {
            pa_context_set_subscribe_callback(context_, &StreamWatch::Event, this);
            pa_operation_unref(
                pa_context_subscribe(context_, PA_SUBSCRIPTION_MASK_SINK_INPUT, nullptr, nullptr));
        }
        pa_threaded_mainloop_unlock(loop_);
        if (!ready)
            throw std::runtime_error("no sound server");
    }
    ~StreamWatch() {
        pa_threaded_mainloop_stop(loop_);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        pa_threaded_mainloop_free(loop_);
    }

    int Count() const { return count_; }
    Clock::time_point Last() const { return Clock::time_point(Clock::duration(last_.load())); }

private:
    static void Event(pa_context*, pa_subscription_event_type_t type, std::uint32_t, void* self) {
        if ((type & PA_SUBSCRIPTION_EVENT_TYPE_MASK) != PA_SUBSCRIPTION_EVENT_NEW)
            return;
        auto& watch = *static_cast<StreamWatch*>(self);
        watch.last_ = Clock::now().time_since_epoch().count();
        ++watch.count_;
    }

    pa_threaded_mainloop* loop_;
    pa_context* context_;
    std::atomic<int> count_ = 0;
    std::atomic<Clock::rep> last_ = 0;
};

// Notes the longest time any event took to handle.
class TimedApplication : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        const auto start = Clock::now();
        const bool handled = QCoreApplication::notify(receiver, event);
        longestEvent = std::max(longestEvent, Milliseconds(Clock::now() - start));
        return handled;
    }
    double longestEvent = 0;
};

struct Stats {
    std::vector<double> values;
    double Median() {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0 : values[values.size() / 2];
    }
    double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

} // namespace

int main(int argc, char** argv) {
    TimedApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [requests]\n", argv[0]);
        return 2;
    }
    const int requests = argc > 2 ? std::atoi(argv[2]) : 20;
    StreamWatch streams;
    stacklume::SoundEffects effects(argv[1]);
    effects.Prepare();
    auto runEventsFor = [](std::chrono::milliseconds span) {
        QEventLoop events;
        QTimer::singleShot(span, Qt::PreciseTimer, &events, &QEventLoop::quit);
        events.exec();
    };

    double first = 0;
    double firstHeld = 0;
    Stats start;
    Stats held;
    for (int request = 0; request <= requests; ++request) {
        // Long enough for any output to be closed, even on a server that takes a while to play.
        runEventsFor(3s);
        const int streamsBefore = streams.Count();
        const auto asked = Clock::now();
        effects.Play(stacklume::Sound::Knock, true);
        const double holding = Milliseconds(Clock::now() - asked);
        while (streams.Count() == streamsBefore && Clock::now() < asked + 5s)
            runEventsFor(1ms);
        if (streams.Count() == streamsBefore) {
            std::fprintf(stderr, "no stream was started for the sound\n");
            return 1;
        }
        const double latency = Milliseconds(streams.Last() - asked);
        // The first request comes after the sounds were prepared: it should be like any other.
        if (request == 0) {
            first = latency;
            firstHeld = holding;
        } else {
            start.values.push_back(latency);
            held.values.push_back(holding);
        }
    }
    runEventsFor(3s);
    std::printf("sound start after a silence: median %.1f ms, max %.1f ms over %d requests (the first "
                "%.1f ms); a request holds the caller up to %.1f ms (the first %.1f ms), the "
                "longest event handler took %.1f ms\n",
                start.Median(), start.Max(), requests, first, held.Max(), firstHeld,
                application.longestEvent);
    return 0;
}
