#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace stacklume::testing {

// A child of the test process, made by fork(), that runs one piece of work and leaves by _exit()
// with the work's result, so that nothing of the parent (destructors, buffered output, the test
// framework) runs twice. The work may tell the parent of its progress, one report at a time.
// A child still running when this object goes is killed; every child is reaped.
class ChildProcess {
public:
    using Report = std::function<void()>;
    using Work = std::function<int(const Report& report)>;
    // The exit code of a child whose work threw.
    static constexpr int WorkThrew = 125;

    explicit ChildProcess(const Work& work);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits until the work has made `count` reports in all; false when the child ended or the
    // deadline passed first.
    bool WaitForReports(int count, std::chrono::milliseconds deadline);
    // Waits for the child to end by itself: its exit code, or nothing when it did not end in
    // time or was ended by a signal.
    std::optional<int> WaitForExit(std::chrono::milliseconds deadline);
    // Stops the child where it is (SIGSTOP) and waits until it has stopped; Kill() ends it there.
    void Stop();
    // The files the child has open, as the system names them (the links in /proc/PID/fd).
    std::vector<std::string> OpenFiles() const;
    // Ends the child at once (SIGKILL) and reaps it.
    void Kill();

private:
    bool Reap(bool wait);

    pid_t pid_ = -1;
    int reports_ = -1; // read end of the report pipe
    int reportsSeen_ = 0;
    bool reaped_ = false;
    int status_ = 0;
};

} // namespace stacklume::testing
