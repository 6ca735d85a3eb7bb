#include "host/forms/window_win32.h"

#include <algorithm>

#include "host/forms/application.h"
#include "host/forms/timer.h"

namespace forms {

namespace {

// Per thread: windows are served by the thread that made them, and a
// handler on one thread says nothing about another's.
thread_local int handlerDepth = 0;
thread_local std::vector<Window*> pendingWindows;
thread_local bool destroyingPending = false;

void ForgetPending(Window* window) {
    pendingWindows.erase(std::remove(pendingWindows.begin(), pendingWindows.end(), window),
                         pendingWindows.end());
}

}  // namespace

Window::~Window() {
    ForgetPending(this);
    if (hwnd_ == nullptr) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    // GWLP_USERDATA belongs to a window's class: only ours holds our object.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != Procedure) {
        return nullptr;
    }
    return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int Window::HandlerDepth() { return handlerDepth; }

bool Window::Create(WindowKind kind, DWORD exStyle, const wchar_t* text, DWORD style, HWND parent,
                    int x, int y, int width, int height, int id) {
    const wchar_t* className = WindowClassFor(kind, Procedure);
    if (className == nullptr || hwnd_ != nullptr) return false;
    // A child window's menu parameter is its identifier.
    const HMENU menu =
        (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menu,
                    GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) return false;
    ArmTimers();
    return true;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Window::DestroyWhenUnwound() {
    if (hwnd_ == nullptr) return;
    if (handlerDepth == 0) {
        DestroyWindow(hwnd_);
        return;
    }
    if (!destroyPending_) {
        destroyPending_ = true;
        pendingWindows.push_back(this);
    }
    // Out of sight at once: to the user the window has gone.
    ShowWindow(hwnd_, SW_HIDE);
    ArmTimers();
}

bool Window::TimersLive() const {
    if (hwnd_ == nullptr || destroyPending_) return false;
    if ((GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) == 0) return true;
    const Window* parent = FromHandle(GetParent(hwnd_));
    return parent == nullptr || parent->TimersLive();
}

void Window::ArmTimers() {
    for (Timer* timer : timers_) timer->Arm();
}

bool Window::TickTimer(WPARAM id) {
    for (Timer* timer : timers_) {
        if (reinterpret_cast<UINT_PTR>(timer) == id) {
            timer->Tick();
            return true;
        }
    }
    return false;
}

void Window::RunDeferredTicks() {
    const std::vector<Timer*> timers = timers_;
    for (Timer* timer : timers) {
        if (!timer->deferred_) continue;
        timer->deferred_ = false;
        timer->Tick();
    }
}

void Window::DestroyPendingWindows() {
    // Destroying sends messages, whose handlers come back here.
    if (destroyingPending) return;
    destroyingPending = true;
    while (!pendingWindows.empty()) {
        Window* window = pendingWindows.front();
        pendingWindows.erase(pendingWindows.begin());
        window->destroyPending_ = false;
        // A child goes with its parent: its handle is gone by its turn.
        if (window->hwnd_ != nullptr) DestroyWindow(window->hwnd_);
    }
    destroyingPending = false;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

    ++handlerDepth;
    LRESULT result = 0;
    if (message == WM_TIMER && self->TickTimer(wParam)) {
        result = 0;
    } else if (message == WM_SETCURSOR && CurrentMousePointer() != MousePointer::Default) {
        // The application's pointer over every window of the host. A window
        // of the system's inside one of ours (the combo box) asks its
        // parent first, so it shows there too.
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        result = TRUE;
    } else if (message == kRunDeferredTicks) {
        self->RunDeferredTicks();
    } else {
        result = self->OnMessage(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The last message of the window: the object lives on without it.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->destroyPending_ = false;
        ForgetPending(self);
    }
    --handlerDepth;
    if (handlerDepth == 0 && !pendingWindows.empty()) DestroyPendingWindows();
    return result;
}

}  // namespace forms
