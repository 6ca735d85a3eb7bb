#include "host/saver/monitor_covers_win32.h"

class MonitorCovers::CoverWindow : public forms::Window {
public:
    bool Make() {
        // WS_EX_NOACTIVATE: a click does not make it the foreground window;
        // WS_EX_TOOLWINDOW: no button in the taskbar or in Alt+Tab; topmost:
        // above the ordinary windows and the always-on-top ones there before.
        // https://learn.microsoft.com/en-us/windows/win32/winmsg/extended-window-styles
        return Create(forms::WindowKind::Cover, WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                      L"", WS_POPUP, nullptr, 0, 0, 0, 0);
    }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        // A click is not to activate it: the keyboard stays with the
        // renderer.
        // https://learn.microsoft.com/en-us/windows/win32/inputdev/wm-mouseactivate
        if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        return Window::OnMessage(message, wParam, lParam);
    }
};

MonitorCovers::MonitorCovers() = default;
MonitorCovers::~MonitorCovers() = default;

namespace {

BOOL CALLBACK AddSecondaryMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
        reinterpret_cast<std::vector<RECT>*>(areas)->push_back(info.rcMonitor);
    }
    return TRUE;
}

}  // namespace

void MonitorCovers::Cover() {
    std::vector<RECT> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddSecondaryMonitor, reinterpret_cast<LPARAM>(&areas));
    // A monitor that went takes its cover with it; the others are moved to
    // where the monitors stand now.
    if (windows_.size() > areas.size()) windows_.resize(areas.size());
    while (windows_.size() < areas.size()) {
        auto window = std::make_unique<CoverWindow>();
        if (!window->Make()) break;
        windows_.push_back(std::move(window));
    }
    for (size_t i = 0; i < windows_.size(); ++i) {
        const RECT& area = areas[i];
        SetWindowPos(windows_[i]->hwnd(), HWND_TOPMOST, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}
