// The settings dialog's start under Wine (reported, never asserted): the time
// from starting `Glintra.scr /c` to the dialog painted on the screen (the
// gradient's top row on the window and on the panel, and the face of
// "ｷｬﾝｾﾙ"), beside the same for the plainest Win32 program that shows one
// window with a line of text in the dialog's font (glintra_bare_window),
// started the same way. Each run ends its program by closing its window and
// waits for it to end; the two programs take turns.
// Usage: glintra_dialog_start_bench <Glintra.scr> <glintra_bare_window.exe> [runs]
//        glintra_dialog_start_bench --close
//            closes the dialog's and the bare window's windows, wherever they
//            were started (scripts/bench-settings.sh, after reading their
//            memory).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/win32_bench_report.h"
#include "support/win32_child_process.h"
#include "support/win32_text.h"
#include "shared/program_contract.h"

namespace {

constexpr double kGiveUpSeconds = 30;

COLORREF ScreenPixel(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    const HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

HWND VisibleWindow(const wchar_t* className, const std::wstring& caption) {
    const HWND w = FindWindowW(className, caption.c_str());
    return w != nullptr && IsWindowVisible(w) ? w : nullptr;
}

bool DialogPainted() {
    const HWND dialog = VisibleWindow(L"Glintra.Form", WideFromUtf8(kSettingsDialogCaption));
    if (dialog == nullptr) return false;
    const HWND panel = FindWindowExW(dialog, nullptr, L"Glintra.PictureBox", nullptr);
    if (panel == nullptr || ScreenPixel(dialog, 1, 0) != RGB(0, 0, 30) ||
        ScreenPixel(panel, 1, 0) != RGB(30, 30, 30)) {
        return false;
    }
    // The rightmost button, "ｷｬﾝｾﾙ": its light face a quarter of the way in.
    HWND cancel = nullptr;
    RECT best = {};
    for (HWND b = FindWindowExW(dialog, nullptr, L"Glintra.UserControl", nullptr); b != nullptr;
         b = FindWindowExW(dialog, b, L"Glintra.UserControl", nullptr)) {
        RECT r = {};
        GetWindowRect(b, &r);
        if (cancel == nullptr || r.left > best.left) cancel = b, best = r;
    }
    if (cancel == nullptr) return false;
    const COLORREF face =
        ScreenPixel(cancel, (best.right - best.left) / 4, (best.bottom - best.top) / 2);
    return GetRValue(face) >= 200 && GetGValue(face) >= 200 && GetBValue(face) >= 200;
}

// Whether a white-ish pixel shows in the given part of the window on the
// screen.
bool LightPixelIn(HWND window, const RECT& part) {
    POINT origin = {part.left, part.top};
    ClientToScreen(window, &origin);
    const int width = part.right - part.left, height = part.bottom - part.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return false;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    bool found = false;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width * height && !found; ++i) found = ((pixels[i] >> 16) & 0xFF) >= 128;
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return found;
}

// Its dark blue, and its white line of text from (8, 8) on.
bool BareWindowPainted() {
    const HWND window = VisibleWindow(L"GlintraBareWindow", L"Glintra bare window");
    return window != nullptr && ScreenPixel(window, 1, 0) == RGB(0, 0, 30) &&
           LightPixelIn(window, RECT{8, 8, 108, 24});
}

// Milliseconds from the start to `painted`, or a negative number when it
// never came; the program's window is closed and its end waited for.
double TimeOneStart(const std::string& program, const std::string& arguments,
                    const std::function<bool()>& painted, const wchar_t* windowClass) {
    const double start = BenchNow();
    ChildProcess child(program, arguments, false);
    if (!child.started()) return -1;
    double ms = -1;
    while (BenchNow() - start < kGiveUpSeconds) {
        if (painted()) {
            ms = (BenchNow() - start) * 1000;
            break;
        }
        if (!child.Running()) break;
        Sleep(1);
    }
    if (const HWND w = FindWindowW(windowClass, nullptr)) PostMessageW(w, WM_CLOSE, 0, 0);
    child.WaitForExit(kGiveUpSeconds);
    return ms;
}

// Posts WM_CLOSE to every window of the two programs.
void CloseAll() {
    for (const wchar_t* windowClass : {L"Glintra.Form", L"GlintraBareWindow"}) {
        for (HWND w = FindWindowW(windowClass, nullptr); w != nullptr;
             w = FindWindowExW(nullptr, w, windowClass, nullptr)) {
            PostMessageW(w, WM_CLOSE, 0, 0);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--close") {
        CloseAll();
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <Glintra.scr> <glintra_bare_window.exe> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
    // The pointer out of the way of the buttons' pointer-over faces.
    SetCursorPos(0, 0);
    std::vector<double> dialog, bare;
    // One of each first, unmeasured: the first start of a program reads its
    // files from the disk.
    for (int i = -1; i < runs; ++i) {
        const double b = TimeOneStart(argv[2], "", BareWindowPainted, L"GlintraBareWindow");
        const double d = TimeOneStart(argv[1], "/c", DialogPainted, L"Glintra.Form");
        if (i < 0) continue;
        if (b >= 0) bare.push_back(b);
        if (d >= 0) dialog.push_back(d);
    }
    ReportMilliseconds("bare Win32 window: start to painted", bare, 40);
    ReportMilliseconds("Glintra.scr /c: start to dialog painted", dialog, 40);
    if (!bare.empty() && !dialog.empty()) {
        std::printf("%-40s %.2f\n", "ratio of the medians (dialog / bare)",
                    Median(dialog) / Median(bare));
    }
    return 0;
}
