#include "host/forms/form.h"

#include <algorithm>
#include <utility>

#include "host/forms/text_win32.h"
#include "host/forms/timer.h"

namespace forms {

namespace {

std::vector<Form*>& Loaded() {
    static std::vector<Form*> forms;
    return forms;
}

void Forget(Form* form) {
    auto& forms = Loaded();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

}  // namespace

Form::Form(std::string caption) : caption_(std::move(caption)) {}

Form::~Form() { Forget(this); }

const std::vector<Form*>& Form::LoadedForms() { return Loaded(); }

bool Form::Load() {
    if (loaded_) return true;
    if (hwnd() == nullptr && !Create(ExStyle(), WideFromUtf8(caption_).c_str(), Style(), nullptr)) {
        return false;
    }
    loaded_ = true;
    Loaded().push_back(this);
    // Timers enabled at design time run from the window's creation on.
    for (Timer* timer : timers_) timer->Arm();
    {
        LoadingScope loading;
        Form_Load();
    }
    return loaded_;
}

void Form::Show() {
    if (!Load()) return;
    ShowWindow(hwnd(), SW_SHOW);
}

void Form::ShowModal() {
    if (!Load()) return;
    std::vector<HWND> disabled;
    for (Form* other : Loaded()) {
        if (other != this && other->hwnd() != nullptr && IsWindowEnabled(other->hwnd())) {
            EnableWindow(other->hwnd(), FALSE);
            disabled.push_back(other->hwnd());
        }
    }
    Show();
    while (loaded_) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT is meant for the outermost loop: leave it there.
            // https://learn.microsoft.com/en-us/windows/win32/winmsg/wm-quit
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (HWND window : disabled) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
}

bool Form::Unload() { return RunUnload(UnloadMode::FormCode, false); }

// `windowGoing`: the window is being destroyed already, so a cancel can't
// keep the form.
bool Form::RunUnload(UnloadMode mode, bool windowGoing) {
    if (!loaded_) return true;
    if (unloading_) return false;
    unloading_ = true;
    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (!cancel || windowGoing) {
        cancel = false;
        Form_Unload(cancel);
    }
    unloading_ = false;
    if (cancel && !windowGoing) return false;

    loaded_ = false;
    Forget(this);
    // The application's loop sleeps in GetMessage and looks at the loaded
    // forms only when it wakes. An unload from a sent message (the window
    // destroyed by another process, as when the preview's parent goes)
    // doesn't wake it, so the last form to go wakes it itself.
    if (Loaded().empty()) PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    for (Timer* timer : timers_) {
        timer->deferred_ = false;
        timer->Arm();
    }
    // The unload may come from one of this window's own handlers (a button's
    // click): the window goes once they have returned.
    if (!windowGoing) DestroyWhenUnwound();
    return true;
}

void Form::RunDeferredTicks() {
    const std::vector<Timer*> timers = timers_;
    for (Timer* timer : timers) {
        if (!timer->deferred_) continue;
        timer->deferred_ = false;
        timer->Tick();
    }
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            for (Timer* timer : timers_) {
                if (reinterpret_cast<UINT_PTR>(timer) == wParam) {
                    timer->Tick();
                    return 0;
                }
            }
            break;
        case kRunDeferredTicks:
            RunDeferredTicks();
            return 0;
        case WM_CLOSE:
            // Not DefWindowProc, which would destroy the window whatever the
            // handlers say.
            RunUnload(UnloadMode::FormControlMenu, false);
            return 0;
        case WM_DESTROY:
            RunUnload(UnloadMode::FormOwner, true);
            break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

}  // namespace forms
