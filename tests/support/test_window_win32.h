#pragma once

// Top-level windows of the test's own: stand-ins for windows the host looks
// for (a running saver's form, an open dialog, a leftover renderer) and the
// window that the Display Properties dialog gives a screen saver's preview.
#include <windows.h>

#include <cstdint>
#include <string>

// A window of class "GlintraTestWindow": white, with the arrow pointer.
class TestWindow {
public:
    TestWindow(const char* caption, DWORD style, int width, int height) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "GlintraTestWindow";
        RegisterClassA(&windowClass);  // fails harmlessly when it is there already
        window_ = CreateWindowA(windowClass.lpszClassName, caption, style, 40, 30, width, height,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~TestWindow() { Destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return window_; }
    void Destroy() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

// The preview's window: visible, borderless, of exactly the given size (so
// that what the preview leaves unpainted shows white).
class PreviewWindow : public TestWindow {
public:
    PreviewWindow(int width, int height)
        : TestWindow("monitor", WS_POPUP | WS_VISIBLE, width, height) {}

    // The handle as the system passes it on the command line: 32 significant
    // bits, in signed decimal.
    int32_t handle() const { return static_cast<int32_t>(reinterpret_cast<intptr_t>(hwnd())); }
    std::string HandleText() const { return std::to_string(handle()); }
};
