#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Seconds on a monotonic clock, for deadlines.
double Seconds();

// Polls `condition` every `pollMilliseconds` until it holds (true) or
// `seconds` have passed (false).
bool WaitUntil(const std::function<bool()>& condition, double seconds, DWORD pollMilliseconds = 20);

// Handles the messages of the test's own windows that are waiting now, each
// through `dispatch` (a form toolkit's loop step) or, by default,
// TranslateMessage and DispatchMessage.
void PumpMessages(void (*dispatch)(MSG&) = nullptr);
// The same as WaitUntil, handling the test's own windows' messages meanwhile:
// a window that another process parents into, destroys or sends to must
// answer, or that process waits for it.
bool PumpUntil(const std::function<bool()>& condition, double seconds,
               void (*dispatch)(MSG&) = nullptr);
void PumpFor(double seconds, void (*dispatch)(MSG&) = nullptr);

// The text of a window, UTF-16 (for another process's window, the caption the
// system keeps for it).
std::wstring WindowTextOf(HWND window);
// The name of a window's class.
std::wstring ClassNameOf(HWND window);
// The visible top-level windows of process `pid`.
std::vector<HWND> VisibleWindowsOf(DWORD pid);
// The first visible top-level window of process `pid` titled `title`, or null.
HWND VisibleWindowOf(DWORD pid, const std::wstring& title);

// A program started with CreateProcess for a test: its quoted path, a blank
// and the arguments as its command line. One still running when this goes
// is ended with status 99.
class ChildProcess {
public:
    // `showNormal` passes SW_SHOWNORMAL as the show code; otherwise the
    // system's default applies. `creationFlags` go to CreateProcess
    // (CREATE_SUSPENDED, say; Wine 8 ignores a priority class there).
    // Paths in the ANSI code page, or UTF-16.
    ChildProcess(const std::string& path, const std::string& arguments, bool showNormal,
                 DWORD creationFlags = 0);
    ChildProcess(const std::wstring& path, const std::wstring& arguments, bool showNormal,
                 DWORD creationFlags = 0);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return started_; }
    // GetLastError of a start that failed; 0 after a start.
    DWORD startError() const { return startError_; }
    DWORD pid() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }
    // Lets a child started with CREATE_SUSPENDED run.
    void Resume() const { ResumeThread(info_.hThread); }
    bool Running() const;

    // The exit status, or nothing if the child is still running after
    // `seconds`. `eachPoll`, if given, runs once on every poll, before the
    // child is looked at: to serve the test's own windows, or to note what
    // the child shows.
    std::optional<DWORD> WaitForExit(double seconds,
                                     const std::function<void()>& eachPoll = {}) const;

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
    DWORD startError_ = 0;
};
