// The settings dialog's Form_Resize under Wine (reported, never asserted):
// the real Glintra_P, shown, gets WM_SIZE as the system sends it when the
// window takes its size; Form_Resize paints the window's gradient and the
// panel's, one line per row, into their persistent images. Timed alone, and
// with the repaint that puts both on the screen.
// Usage: glintra_dialog_paint_bench [repeats]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/win32_bench_report.h"
#include "e2e/win32_child_process.h"
#include "host/settings_dialog/glintra_p.h"

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 300;
    SetProcessDPIAware();
    SetCursorPos(0, 0);
    static Glintra_P dialog;
    dialog.Show();
    PumpFor(1, forms::Form::Dispatch);
    const HWND window = dialog.hwnd();
    const HWND panel = dialog.Pic_C->hwnd();
    RECT inner = {}, panelInner = {};
    GetClientRect(window, &inner);
    GetClientRect(panel, &panelInner);
    const LPARAM size = MAKELPARAM(inner.right, inner.bottom);

    std::vector<double> resize, resizeShown;
    for (int i = 0; i < repeats; ++i) {
        double start = BenchNow();
        SendMessageW(window, WM_SIZE, SIZE_RESTORED, size);
        GdiFlush();
        resize.push_back((BenchNow() - start) * 1000);
        PumpMessages(forms::Form::Dispatch);

        start = BenchNow();
        SendMessageW(window, WM_SIZE, SIZE_RESTORED, size);
        UpdateWindow(window);
        UpdateWindow(panel);
        GdiFlush();
        resizeShown.push_back((BenchNow() - start) * 1000);
        PumpMessages(forms::Form::Dispatch);
    }
    std::printf("window %ld x %ld, panel %ld x %ld pixels: %ld + %ld lines\n", inner.right,
                inner.bottom, panelInner.right, panelInner.bottom, inner.bottom + 1,
                panelInner.bottom + 1);
    ReportMilliseconds("Form_Resize (both gradients into their images)", resize, 52);
    ReportMilliseconds("Form_Resize and the repaint onto the screen", resizeShown, 52);
    dialog.Unload();
    PumpFor(0.5, forms::Form::Dispatch);
    return 0;
}
