// The plainest Win32 program that shows a window: one window of the settings
// dialog's inner size at 96 dpi (479 x 252 pixels), with a caption bar and a
// close box, its inner area painted dark blue, (0, 0, 30), the colour of the
// dialog's top row. The start-up benchmark measures Glintra.scr /c beside it.
// It ends when its window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            const HBRUSH brush = CreateSolidBrush(RGB(0, 0, 30));
            FillRect(dc, &paint.rcPaint, brush);
            DeleteObject(brush);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"GlintraBareWindow";
    RegisterClassW(&windowClass);
    const DWORD style = WS_CAPTION | WS_SYSMENU;
    RECT rect = {0, 0, 479, 252};
    AdjustWindowRect(&rect, style, FALSE);
    const HWND window = CreateWindowW(windowClass.lpszClassName, L"Glintra bare window", style,
                                      CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                                      rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
