#include "ChildProcess.h"

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stacklume::testing {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

ChildProcess::ChildProcess(const Work& work) {
    int ends[2];
    if (pipe(ends) != 0)
        throw std::runtime_error("cannot make a pipe for the child");
    pid_ = fork();
    if (pid_ < 0) {
        close(ends[0]);
        close(ends[1]);
        throw std::runtime_error("cannot fork");
    }
    if (pid_ == 0) {
        close(ends[0]);
        const int reportEnd = ends[1];
        int code = WorkThrew;
        try {
            code = work([reportEnd] {
                const char byte = 1;
                while (write(reportEnd, &byte, 1) < 0 && errno == EINTR) {
                }
            });
        } catch (...) {
        }
        _exit(code);
    }
    close(ends[1]);
    reports_ = ends[0];
}

ChildProcess::~ChildProcess() {
    Kill();
    close(reports_);
}

bool ChildProcess::WaitForReports(int count, std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    while (reportsSeen_ < count) {
        pollfd wanted{reports_, POLLIN, 0};
        const int ready = poll(&wanted, 1, MillisecondsLeft(end));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false; // the deadline passed
        char bytes[64];
        const ssize_t got = read(reports_, bytes, sizeof bytes);
        if (got <= 0)
            return false; // the child has ended: no more reports will come
        reportsSeen_ += static_cast<int>(got);
    }
    return true;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    while (!Reap(false)) {
        if (Clock::now() >= end)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status_))
        return std::nullopt;
    return WEXITSTATUS(status_);
}

void ChildProcess::Stop() {
    if (reaped_)
        return;
    kill(pid_, SIGSTOP);
    int status = 0;
    pid_t done = 0;
    do {
        done = waitpid(pid_, &status, WUNTRACED);
    } while (done < 0 && errno == EINTR);
    if (done == pid_ && !WIFSTOPPED(status)) {
        status_ = status;
        reaped_ = true;
    }
}

std::vector<std::string> ChildProcess::OpenFiles() const {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", error)) {
        const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), error);
        if (!error)
            files.push_back(target.string());
    }
    return files;
}

void ChildProcess::Kill() {
    if (reaped_)
        return;
    kill(pid_, SIGKILL);
    Reap(true);
}

bool ChildProcess::Reap(bool wait) {
    if (reaped_)
        return true;
    pid_t done = 0;
    do {
        done = waitpid(pid_, &status_, wait ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    reaped_ = done == pid_;
    return reaped_;
}

} // namespace stacklume::testing
