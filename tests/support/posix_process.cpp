#include "support/posix_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

extern char** environ;

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& environment) {
    // getenv finds the first entry of a name, so an override replaces the
    // inherited entry rather than following it.
    std::vector<std::string> env = environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool overridden = false;
        for (const std::string& o : environment) overridden |= o.compare(0, name.size(), name) == 0;
        if (!overridden) env.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    pid_ = fork();
    if (pid_ == 0) {
        execve(argv[0], argv, envp.data());
        _exit(127);
    }
}

ChildProcess::ChildProcess(int (*body)(const void*), const void* argument) {
    pid_ = fork();
    if (pid_ == 0) _exit(body(argument));
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

void ChildProcess::Reaped(int status) {
    if (WIFEXITED(status)) {
        status_ = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        status_ = 128 + WTERMSIG(status);
    }
}

bool ChildProcess::Running() {
    if (pid_ <= 0 || status_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) Reaped(status);
    return !status_;
}

std::optional<int> ChildProcess::WaitForExit(double seconds) {
    const double deadline = MonotonicSeconds() + seconds;
    while (Running() && MonotonicSeconds() < deadline) PollPause();
    return status_;
}

void ChildProcess::Terminate(double seconds) {
    if (!Running()) return;
    kill(pid_, SIGTERM);
    if (!WaitForExit(seconds)) {
        kill(pid_, SIGKILL);
        WaitForExit(seconds);
    }
}

double MonotonicSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void PollPause() { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }
