#include "host/forms/window_class_win32.h"

namespace forms {

namespace {

struct ClassInfo {
    const wchar_t* name;
    bool registered;
};

}  // namespace

const wchar_t* WindowClassFor(WindowKind kind, WNDPROC procedure) {
    static ClassInfo classes[] = {
        {L"Glintra.Form", false},
        {L"Glintra.PictureBox", false},
        {L"Glintra.UserControl", false},
    };
    ClassInfo& info = classes[static_cast<int>(kind)];
    if (info.registered) return info.name;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // No CS_DBLCLKS on any kind: a quick second click must come as a second
    // WM_LBUTTONDOWN, since no form or control here has a double-click event
    // and a button clicked twice quickly is clicked twice.
    // https://learn.microsoft.com/en-us/windows/win32/inputdev/wm-lbuttondblclk
    windowClass.style = 0;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // No background brush: every kind paints its whole client area from its
    // own image (WM_ERASEBKGND does nothing).
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = info.name;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    info.registered = true;
    return info.name;
}

}  // namespace forms
