#include "host/forms/timer.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "host/forms/window_win32.h"

namespace forms {

namespace {

int loadingDepth = 0;
bool tickRunning = false;

// Every timer, for the end of a loading scope.
std::vector<Timer*>& AllTimers() {
    static std::vector<Timer*> timers;
    return timers;
}

void Erase(std::vector<Timer*>& timers, Timer* timer) {
    timers.erase(std::remove(timers.begin(), timers.end(), timer), timers.end());
}

}  // namespace

Timer::Timer(Window& owner, unsigned intervalMs, bool enabled, std::function<void()> tick)
    : owner_(owner), interval_(intervalMs), enabled_(enabled), tick_(std::move(tick)) {
    owner_.timers_.push_back(this);
    AllTimers().push_back(this);
    Arm();
}

Timer::~Timer() {
    if (owner_.hwnd() != nullptr) KillTimer(owner_.hwnd(), reinterpret_cast<UINT_PTR>(this));
    Erase(owner_.timers_, this);
    Erase(AllTimers(), this);
}

void Timer::SetEnabled(bool enabled) {
    // SetTimer on a running timer would start its count again.
    // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-settimer
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Arm();
}

void Timer::SetInterval(unsigned intervalMs) {
    interval_ = intervalMs;
    Arm();
}

void Timer::Arm() {
    const HWND window = owner_.hwnd();
    if (window == nullptr) return;
    const UINT_PTR id = reinterpret_cast<UINT_PTR>(this);
    if (owner_.TimersLive() && enabled_ && interval_ > 0) {
        SetTimer(window, id, interval_, nullptr);
    } else {
        // A WM_TIMER already in the queue stays there; Tick() ignores it.
        // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-killtimer
        KillTimer(window, id);
        deferred_ = false;
    }
}

void Timer::Tick() {
    if (!enabled_ || interval_ == 0 || !owner_.TimersLive()) return;
    if (LoadingScope::Active()) {
        deferred_ = true;
        return;
    }
    if (tickRunning) return;
    tickRunning = true;
    struct Done {
        ~Done() { tickRunning = false; }
    } done;
    tick_();
}

LoadingScope::LoadingScope() { ++loadingDepth; }

LoadingScope::~LoadingScope() {
    if (--loadingDepth > 0) return;
    RunDeferred();
}

void LoadingScope::RunDeferred() {
    // One message per timer that waits: each finds its window's waiting
    // timers, the ones that a message before it ran already included.
    for (Timer* timer : AllTimers()) {
        if (timer->deferred_ && timer->owner_.hwnd() != nullptr) {
            PostMessageW(timer->owner_.hwnd(), Window::kRunDeferredTicks, 0, 0);
        }
    }
}

bool LoadingScope::Active() { return loadingDepth > 0; }

LoadingScope::Suspended::Suspended() : depth_(loadingDepth) {
    loadingDepth = 0;
    if (depth_ > 0) RunDeferred();
}

LoadingScope::Suspended::~Suspended() { loadingDepth = depth_; }

}  // namespace forms
