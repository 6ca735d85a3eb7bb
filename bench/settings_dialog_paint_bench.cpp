// The settings dialog's Form_Resize under Wine (reported, never asserted):
// the real SettingsDialog, shown, gets WM_SIZE as the system sends it when the
// window takes its size. Form_Resize draws the window's gradient and the
// panel's, one line per row, into their persistent images, and each
// Refresh puts its surface on the screen at once with the controls over it
// (RDW_UPDATENOW): the whole cost of a repaint of the dialog.
// Usage: glintra_dialog_paint_bench [repeats]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/win32_bench_report.h"
#include "support/win32_child_process.h"
#include "host/settings_dialog/settings_dialog.h"

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 300;
    SetProcessDPIAware();
    SetCursorPos(0, 0);
    SettingsDialog dialog(Settings{});
    dialog.Show();
    PumpFor(1, forms::Form::Dispatch);
    const HWND window = dialog.hwnd();
    RECT inner = {}, panel = {};
    GetClientRect(window, &inner);
    GetClientRect(dialog.panel->hwnd(), &panel);
    const LPARAM size = MAKELPARAM(inner.right, inner.bottom);

    std::vector<double> resize;
    for (int i = 0; i < repeats; ++i) {
        const double start = BenchNow();
        SendMessageW(window, WM_SIZE, SIZE_RESTORED, size);
        GdiFlush();
        resize.push_back((BenchNow() - start) * 1000);
        PumpMessages(forms::Form::Dispatch);
    }
    std::printf("window %ld x %ld, panel %ld x %ld pixels: %ld + %ld lines\n", inner.right,
                inner.bottom, panel.right, panel.bottom, inner.bottom + 1, panel.bottom + 1);
    ReportMilliseconds("Form_Resize, painted on the screen", resize, 52);
    dialog.Unload();
    PumpFor(0.5, forms::Form::Dispatch);
    return 0;
}
