// The plainest Win32 program that shows a window as the settings dialog does:
// one window of the dialog's inner size at 96 dpi (479 x 252 pixels), with a
// caption bar and a close box, its inner area painted dark blue, (0, 0, 30),
// the colour of the dialog's top row, and one line of text in white in the
// dialog's label font (DescribeFont(DialogFont::kLabel): "ＭＳ Ｐゴシック"
// 9.75 pt, Shift-JIS), the caption of "その他の作品", with its top-left corner
// at (8, 8); so that it pays for the font as the dialog does. The start-up
// benchmark measures Glintra.scr /c beside it. It ends when its window is
// closed.
#include <windows.h>

#include <cmath>
#include <string>

#include "host/settings_dialog/dialog_layout.h"

namespace {

constexpr COLORREF kBackColour = RGB(0, 0, 30);
constexpr int kTextLeft = 8, kTextTop = 8;

HFONT font = nullptr;
std::wstring text;

std::wstring WideFromUtf8(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

// The font as the host's toolkit makes it from a description.
HFONT MakeFont(const forms::FontDescription& description) {
    int dpi = 96;
    if (const HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    LOGFONTW logFont = {};
    logFont.lfHeight = -static_cast<LONG>(std::lround(description.size * dpi / 72.0));
    logFont.lfWeight = description.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfCharSet = static_cast<BYTE>(description.charset);
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(logFont.lfFaceName, WideFromUtf8(description.name.c_str()).c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&logFont);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            const HBRUSH brush = CreateSolidBrush(kBackColour);
            FillRect(dc, &paint.rcPaint, brush);
            DeleteObject(brush);
            const HGDIOBJ oldFont = SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(255, 255, 255));
            TextOutW(dc, kTextLeft, kTextTop, text.c_str(), static_cast<int>(text.size()));
            SelectObject(dc, oldFont);
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
    const ControlLayout* otherWorks = FindControl("otherWorksButton", -1);
    if (otherWorks == nullptr) return 1;
    font = MakeFont(DescribeFont(otherWorks->font));
    text = WideFromUtf8(otherWorks->caption);
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
    DeleteObject(font);
    return 0;
}
