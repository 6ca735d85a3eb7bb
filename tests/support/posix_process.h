#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// A program started by the test. The destructor kills it if it still runs, so
// that a failed assertion leaves no renderer on the shared display.
class ChildProcess {
public:
    // Starts `path` without arguments; `environment` entries ("NAME=value")
    // are added to the test's own environment.
    ChildProcess(const std::string& path, const std::vector<std::string>& environment);
    // Runs `body` in a forked copy of the test program; its return value is
    // the exit status.
    explicit ChildProcess(int (*body)(const void*), const void* argument);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }
    // True while the process has not ended (and has not been reaped).
    bool Running();
    // The exit status once the process has ended within `seconds`; a death by
    // signal gives 128 + the signal number, as a shell would say it.
    std::optional<int> WaitForExit(double seconds);
    // Asks the process to end (SIGTERM), and kills it if it has not within
    // `seconds`.
    void Terminate(double seconds);

private:
    void Reaped(int status);

    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Seconds on a monotonic clock, for deadlines.
double MonotonicSeconds();
// Sleeps for a short polling interval.
void PollPause();
