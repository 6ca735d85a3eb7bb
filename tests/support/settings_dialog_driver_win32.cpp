#include "support/settings_dialog_driver_win32.h"

#include "host/settings_dialog/dialog_layout.h"
#include "shared/program_contract.h"
#include "support/win32_screen.h"
#include "support/win32_text.h"

ScreenPixels ScreenPixels::OfScreen() {
    const HDC screen = GetDC(nullptr);
    ScreenPixels px;
    px.dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return px;
}

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.left << ", " << b.top << ") " << b.width << " x " << b.height;
}

Box BoxIn(HWND window, HWND container) {
    RECT r = ScreenRect(window);
    MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

SettingsDialogDriver::SettingsDialogDriver(const std::string& hostPath,
                                           const std::string& arguments, double seconds)
    : host(hostPath, arguments, false), px(ScreenPixels::OfScreen()) {
    if (!host.started()) {
        error = "cannot start the host: error " + std::to_string(host.startError());
        return;
    }
    const bool shown = WaitUntil(
        [&] {
            window = VisibleWindowOf(host.pid(), WideFromUtf8(kSettingsDialogCaption));
            return window != nullptr || !host.Running();
        },
        seconds);
    if (!shown || window == nullptr) {
        error = host.Running() ? "no dialog on the screen" : "the host ended without a dialog";
        return;
    }
    panel = FindWindowExW(window, nullptr, L"Glintra.PictureBox", nullptr);
    repeatBox = FindWindowExW(panel, nullptr, L"COMBOBOX", nullptr);
    chooser = ButtonAt("chooseButton");
    otherWorks = ButtonAt("otherWorksButton");
    set = ButtonAt("setButton");
    cancel = ButtonAt("cancelButton");
    if (!panel || !repeatBox || !chooser || !otherWorks || !set || !cancel) {
        error = "a control's window is missing";
    }
}

Box SettingsDialogDriver::DesignBox(const char* name, int16_t index) const {
    const ControlLayout* c = FindControl(name, index);
    if (c == nullptr) return {};
    return {px(c->left), px(c->top), px(c->width), px(c->height)};
}

RECT SettingsDialogDriver::ScreenRectOf(const char* name, int16_t index) const {
    const ControlLayout* control = FindControl(name, index);
    if (control == nullptr) return {};
    POINT origin = {0, 0};
    ClientToScreen(control->container == Container::kPanel ? panel : window, &origin);
    const Box box = DesignBox(name, index);
    return {origin.x + box.left, origin.y + box.top, origin.x + box.left + box.width,
            origin.y + box.top + box.height};
}

HWND SettingsDialogDriver::ButtonAt(const char* name) const {
    const ControlLayout* control = FindControl(name);
    if (control == nullptr) return nullptr;
    const HWND container = control->container == Container::kPanel ? panel : window;
    const POINT centre = Centre(ScreenRectOf(name));
    for (HWND child = FindWindowExW(container, nullptr, L"Glintra.UserControl", nullptr);
         child != nullptr;
         child = FindWindowExW(container, child, L"Glintra.UserControl", nullptr)) {
        const RECT r = ScreenRect(child);
        if (PtInRect(&r, centre)) return child;
    }
    return nullptr;
}

std::string SettingsDialogDriver::State() const {
    if (!host.Running()) return "; the host has ended";
    std::string shown = "; the host shows";
    for (HWND w : VisibleWindowsOf(host.pid())) {
        shown += " \"" + AnsiFromWide(WindowTextOf(w)) + "\"";
    }
    return shown;
}
