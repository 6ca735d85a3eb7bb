#include "host/forms/mouse_router_win32.h"

#include <windowsx.h>

#include "host/forms/container.h"
#include "host/forms/windowless_control.h"

namespace forms {

namespace {

int ShiftCode(WPARAM wParam) {
    return ((wParam & MK_SHIFT) != 0 ? kShiftKey : 0) |
           ((wParam & MK_CONTROL) != 0 ? kCtrlKey : 0) | (GetKeyState(VK_MENU) < 0 ? kAltKey : 0);
}

int HeldButtons(WPARAM wParam) {
    return ((wParam & MK_LBUTTON) != 0 ? kLeftButton : 0) |
           ((wParam & MK_RBUTTON) != 0 ? kRightButton : 0) |
           ((wParam & MK_MBUTTON) != 0 ? kMiddleButton : 0);
}

}  // namespace

bool MouseRouter::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr struct {
        UINT message;
        MouseAction action;
        int button;
    } kMouseMessages[] = {
        {WM_LBUTTONDOWN, MouseAction::Down, kLeftButton},
        {WM_RBUTTONDOWN, MouseAction::Down, kRightButton},
        {WM_MBUTTONDOWN, MouseAction::Down, kMiddleButton},
        {WM_MOUSEMOVE, MouseAction::Move, 0},
        {WM_LBUTTONUP, MouseAction::Up, kLeftButton},
        {WM_RBUTTONUP, MouseAction::Up, kRightButton},
        {WM_MBUTTONUP, MouseAction::Up, kMiddleButton},
    };
    for (const auto& mouse : kMouseMessages) {
        if (mouse.message == message) {
            Route(mouse.action, mouse.button, wParam, lParam);
            return true;
        }
    }
    return false;
}

void MouseRouter::Route(MouseAction action, int button, WPARAM wParam, LPARAM lParam) {
    const HWND window = container_.hwnd();
    const POINT pixel = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const int held = HeldButtons(wParam);
    // Windows sends moves that are none: one when the capture ends, and
    // under Wine an echo of a move from the X server, both at the place of
    // the mouse message before. The pointer moved only if the place or the
    // buttons differ; that memory goes when the pointer leaves the window.
    if (action == MouseAction::Move && lastSeen_ && pixel.x == lastPoint_.x &&
        pixel.y == lastPoint_.y && held == lastHeld_) {
        return;
    }
    lastSeen_ = true;
    lastPoint_ = pixel;
    lastHeld_ = held;
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    WindowlessControl* target = nullptr;
    if (action == MouseAction::Down && !capturing_) {
        // The control under the pointer gets everything until the last
        // button is up, as does the container when none is there.
        target = container_.ControlAt(pixel);
        capturing_ = true;
        captured_ = target;
        SetCapture(window);
    } else {
        target = capturing_ ? captured_ : container_.ControlAt(pixel);
    }

    const TwipsPerPixel twips = container_.Twips();
    MouseEvent event;
    event.button = action == MouseAction::Move ? held : button;
    event.shift = ShiftCode(wParam);
    event.x = pixel.x * twips.x - (target != nullptr ? target->Left() : 0);
    event.y = pixel.y * twips.y - (target != nullptr ? target->Top() : 0);
    if (target == nullptr) {
        container_.OnMouse(action, event);
    } else {
        const auto& handler = action == MouseAction::Down   ? target->MouseDown
                              : action == MouseAction::Move ? target->MouseMove
                                                            : target->MouseUp;
        if (handler) handler(event);
    }

    if (action == MouseAction::Up && held == 0 && capturing_) {
        capturing_ = false;
        captured_ = nullptr;
        // The handler may have unloaded the form: the window may be gone.
        if (container_.hwnd() != nullptr && GetCapture() == container_.hwnd()) ReleaseCapture();
    }
}

void MouseRouter::PointerLeft() {
    trackingLeave_ = false;
    lastSeen_ = false;
}

void MouseRouter::CaptureChanged(HWND to) {
    if (to == container_.hwnd()) return;
    capturing_ = false;
    captured_ = nullptr;
}

void MouseRouter::Forget(const WindowlessControl* control) {
    if (captured_ == control) captured_ = nullptr;
}

}  // namespace forms
