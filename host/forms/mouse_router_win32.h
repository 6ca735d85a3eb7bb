#pragma once

#include <windows.h>

#include "host/forms/mouse_event.h"

namespace forms {

class Container;
class WindowlessControl;

// The mouse of one container: whether a mouse message goes to a windowless
// control or to the container itself. A button going down captures the mouse
// for the control under the pointer (or for the container when none is
// there) until the last button is up, wherever the pointer goes. A move is
// passed on only when the pointer moved: not the WM_MOUSEMOVE that the
// system sends when the capture ends, nor Wine's echo of a move, both at the
// place the window last heard of.
class MouseRouter {
public:
    explicit MouseRouter(Container& container) : container_(container) {}

    // One mouse message of the container's window: WM_LBUTTONDOWN and the
    // other presses, WM_MOUSEMOVE, the releases. False for any other.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_MOUSELEAVE: the pointer has left the window.
    void PointerLeft();
    // WM_CAPTURECHANGED: the capture has gone to `to` (a window of the
    // system's, a modal loop); unless that is the container's own, no
    // release will come.
    void CaptureChanged(HWND to);
    // A windowless control going away.
    void Forget(const WindowlessControl* control);

private:
    void Route(MouseAction action, int button, WPARAM wParam, LPARAM lParam);

    Container& container_;
    bool capturing_ = false;
    // The mouse's target while captured; null: the container itself.
    WindowlessControl* captured_ = nullptr;
    // The last mouse message's place and buttons, while the pointer is over
    // the window (or captured): a move that changes neither is none.
    bool lastSeen_ = false;
    POINT lastPoint_ = {};
    int lastHeld_ = 0;
    bool trackingLeave_ = false;
};

}  // namespace forms
