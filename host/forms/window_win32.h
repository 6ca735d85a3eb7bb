#pragma once

#include <windows.h>

namespace forms {

// A window of the toolkit's own class with a C++ object behind it. The object
// is attached at WM_NCCREATE, the first message a window gets, and receives
// every message from then on through OnMessage. Forms are windows; picture
// boxes and user controls will be child windows of the same kind.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    Window() = default;
    // A window that still exists is destroyed without reaching the object.
    virtual ~Window();

    // Makes the window (of the toolkit's class); false when it can't be made.
    bool Create(DWORD exStyle, const wchar_t* text, DWORD style, HWND parent);

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Destroys the window now or, while one of its message handlers is still
    // running, as soon as the outermost of them has returned, so that no
    // handler of ours finds its window gone under it.
    void DestroyWhenUnwound();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    int handlerDepth_ = 0;
    bool destroyPending_ = false;
};

}  // namespace forms
