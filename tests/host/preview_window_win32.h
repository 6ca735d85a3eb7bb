#pragma once

// The window that the Display Properties dialog gives a screen saver's
// preview, as the preview tests make it: visible, borderless, of exactly the
// given size, white (so that what the preview leaves unpainted shows).
#include <windows.h>

#include <cstdint>
#include <string>

namespace preview_test {

class PreviewWindow {
public:
    PreviewWindow(int width, int height) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = L"GlintraPreviewTestWindow";
        RegisterClassW(&windowClass);
        window_ =
            CreateWindowW(windowClass.lpszClassName, L"monitor", WS_POPUP | WS_VISIBLE, 40, 30,
                          width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~PreviewWindow() { Destroy(); }
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;

    HWND hwnd() const { return window_; }
    // The handle as the system passes it on the command line: 32 significant
    // bits, in signed decimal.
    int32_t handle() const { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window_)); }
    std::string HandleText() const { return std::to_string(handle()); }
    void Destroy() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

}  // namespace preview_test
