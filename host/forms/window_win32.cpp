#include "host/forms/window_win32.h"

namespace forms {

namespace {

constexpr wchar_t kClassName[] = L"Glintra.Form";

}  // namespace

Window::~Window() {
    if (hwnd_ == nullptr) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

bool Window::Create(DWORD exStyle, const wchar_t* text, DWORD style, HWND parent) {
    static const bool registered = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) return false;
    CreateWindowExW(exStyle, kClassName, text, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, parent, nullptr, GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Window::DestroyWhenUnwound() {
    if (hwnd_ == nullptr) return;
    if (handlerDepth_ > 0) {
        destroyPending_ = true;
        return;
    }
    DestroyWindow(hwnd_);
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

    ++self->handlerDepth_;
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    --self->handlerDepth_;

    if (message == WM_NCDESTROY) {
        // The last message of the window: the object lives on without it.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->destroyPending_ = false;
    } else if (self->handlerDepth_ == 0 && self->destroyPending_) {
        self->destroyPending_ = false;
        DestroyWindow(hwnd);
    }
    return result;
}

}  // namespace forms
