#pragma once

#include <windows.h>

#include <vector>

#include "host/forms/window_class_win32.h"

namespace forms {

class Timer;

// A window of one of the toolkit's classes with a C++ object behind it. The
// object is attached at WM_NCCREATE, the first message a window gets, and
// receives every message from then on through OnMessage; timer ticks reach
// the Timer objects the window owns before OnMessage sees anything.
//
// A window is never destroyed while a message handler runs on its thread:
// not while one of its own runs, nor one of a window inside it, nor one of a
// window whose handler started a modal loop. DestroyWhenUnwound hides the
// window and destroys it once the thread's handler depth is back to zero, so
// a button whose Click unloads the form still has its window, and its form,
// when its handler goes on.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    // The object behind one of the toolkit's windows; nullptr for any other
    // window.
    static Window* FromHandle(HWND window);

    // Message handlers running on the calling thread, nested.
    static int HandlerDepth();

protected:
    Window() = default;
    // A window that still exists is destroyed at once, without reaching the
    // object any more.
    virtual ~Window();

    // Makes the window; false when it can't be made. Position and size in
    // pixels (CW_USEDEFAULT for a top-level window that the system places);
    // `id` is a child window's identifier.
    bool Create(WindowKind kind, DWORD exStyle, const wchar_t* text, DWORD style, HWND parent,
                int x, int y, int width, int height, int id = 0);

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Destroys the window now, or, while a handler runs on this thread, hides
    // it now and destroys it as soon as the outermost handler has returned.
    void DestroyWhenUnwound();

    // Whether the window's timers may tick: it exists and is not going. A
    // child window's timers tick only while its parent's do.
    virtual bool TimersLive() const;
    // Starts or stops the system timers to match the Timer objects, after a
    // change of TimersLive.
    void ArmTimers();

private:
    friend class Timer;
    friend class LoadingScope;

    // Posted to a window whose timers had ticks waiting while loading code ran.
    static constexpr UINT kRunDeferredTicks = WM_APP + 0x100;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void DestroyPendingWindows();
    bool TickTimer(WPARAM id);
    void RunDeferredTicks();

    HWND hwnd_ = nullptr;
    bool destroyPending_ = false;
    std::vector<Timer*> timers_;
};

}  // namespace forms
