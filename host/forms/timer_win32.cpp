#include "host/forms/timer.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "host/forms/form.h"

namespace forms {

namespace {

int loadingDepth = 0;
bool tickRunning = false;

}  // namespace

Timer::Timer(Form& owner, unsigned intervalMs, bool enabled, std::function<void()> tick)
    : owner_(owner), interval_(intervalMs), enabled_(enabled), tick_(std::move(tick)) {
    owner_.timers_.push_back(this);
    Arm();
}

Timer::~Timer() {
    if (owner_.hwnd() != nullptr) KillTimer(owner_.hwnd(), reinterpret_cast<UINT_PTR>(this));
    auto& timers = owner_.timers_;
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void Timer::SetEnabled(bool enabled) {
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
    if (owner_.IsLoaded() && enabled_ && interval_ > 0) {
        SetTimer(window, id, interval_, nullptr);
    } else {
        // A WM_TIMER already in the queue stays there; Tick() ignores it.
        // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-killtimer
        KillTimer(window, id);
        deferred_ = false;
    }
}

void Timer::Tick() {
    if (!enabled_ || interval_ == 0 || !owner_.IsLoaded()) return;
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
    for (Form* form : Form::LoadedForms()) {
        const bool waiting = std::any_of(form->timers_.begin(), form->timers_.end(),
                                         [](const Timer* timer) { return timer->deferred_; });
        if (waiting) PostMessageW(form->hwnd(), Form::kRunDeferredTicks, 0, 0);
    }
}

bool LoadingScope::Active() { return loadingDepth > 0; }

}  // namespace forms
