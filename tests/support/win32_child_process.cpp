#include "support/win32_child_process.h"

#include "support/win32_text.h"

namespace {

constexpr DWORD kPollMilliseconds = 10;

}  // namespace

double Seconds() { return static_cast<double>(GetTickCount64()) / 1000.0; }

bool WaitUntil(const std::function<bool()>& condition, double seconds, DWORD pollMilliseconds) {
    const double deadline = Seconds() + seconds;
    for (;;) {
        if (condition()) return true;
        if (Seconds() >= deadline) return false;
        Sleep(pollMilliseconds);
    }
}

void PumpMessages(void (*dispatch)(MSG&)) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dispatch != nullptr) {
            dispatch(message);
        } else {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool PumpUntil(const std::function<bool()>& condition, double seconds, void (*dispatch)(MSG&)) {
    const double deadline = Seconds() + seconds;
    for (;;) {
        // One message at a time, the condition and the clock looked at after
        // each: a busy timer (WM_TIMER comes whenever the queue is otherwise
        // empty) would keep a loop that drains the queue going for ever.
        MSG message;
        const bool got = PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
        if (got && dispatch != nullptr) {
            dispatch(message);
        } else if (got) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        if (Seconds() >= deadline) return false;
        // Wakes at once for a message, a sent one included.
        if (!got) MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMilliseconds, QS_ALLINPUT);
    }
}

void PumpFor(double seconds, void (*dispatch)(MSG&)) {
    PumpUntil([] { return false; }, seconds, dispatch);
}

std::wstring WindowTextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleWindowOf(DWORD pid, const std::wstring& title) {
    for (HWND window : VisibleWindowsOf(pid)) {
        if (WindowTextOf(window) == title) return window;
    }
    return nullptr;
}

ChildProcess::ChildProcess(const std::string& path, const std::string& arguments, bool showNormal,
                           DWORD creationFlags)
    : ChildProcess(WideFromAnsi(path), WideFromAnsi(arguments), showNormal, creationFlags) {}

ChildProcess::ChildProcess(const std::wstring& path, const std::wstring& arguments, bool showNormal,
                           DWORD creationFlags) {
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (showNormal) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
    }
    // Nothing may run after CreateProcessW: a caller reads GetLastError when
    // the start failed.
    started_ = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                              creationFlags, nullptr, nullptr, &startup, &info_) != 0;
    if (!started_) startError_ = GetLastError();
}

ChildProcess::~ChildProcess() {
    if (!started_) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::Running() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(double seconds,
                                               const std::function<void()>& eachPoll) const {
    const double deadline = Seconds() + seconds;
    for (;;) {
        if (eachPoll) eachPoll();
        if (!Running()) {
            DWORD status = 0;
            GetExitCodeProcess(info_.hProcess, &status);
            return status;
        }
        if (Seconds() >= deadline) return std::nullopt;
        Sleep(kPollMilliseconds);
    }
}
