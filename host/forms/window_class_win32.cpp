#include "host/forms/window_class_win32.h"

namespace forms {

namespace {

struct ClassInfo {
    const wchar_t* name;
    bool registered;
    // The arrow as the class's pointer; without, no pointer shows over the
    // window unless it sets one.
    bool arrowPointer;
    int backgroundBrush;  // a stock object, or -1 for none
};

}  // namespace

const wchar_t* WindowClassFor(WindowKind kind, WNDPROC procedure) {
    static ClassInfo classes[] = {
        // A form, a picture box and a user control have no background brush:
        // they paint their whole client area from their own image
        // (WM_ERASEBKGND does nothing). A cover is black and nothing else.
        {L"Glintra.Form", false, true, -1},
        {L"Glintra.PictureBox", false, true, -1},
        {L"Glintra.UserControl", false, true, -1},
        {L"Glintra.Cover", false, false, BLACK_BRUSH},
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
    windowClass.hCursor = info.arrowPointer ? LoadCursor(nullptr, IDC_ARROW) : nullptr;
    windowClass.hbrBackground = info.backgroundBrush >= 0
                                    ? static_cast<HBRUSH>(GetStockObject(info.backgroundBrush))
                                    : nullptr;
    windowClass.lpszClassName = info.name;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    info.registered = true;
    return info.name;
}

}  // namespace forms
