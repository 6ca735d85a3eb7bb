#include "host/settings_dialog/window_zoom_win32.h"

namespace {

// A point as a rectangle; the 16-bit coordinates widen with their sign.
RECT AsRect(ZoomXY point) { return RECT{point.x, point.y, point.x, point.y}; }

}  // namespace

void ZoomFromPoint(HWND window, ZoomXY point) {
    const RECT from = AsRect(point);
    RECT to = {};  // stays zero when the window has no rectangle
    GetWindowRect(window, &to);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomToPoint(HWND window, ZoomXY point) {
    RECT from = {};
    GetWindowRect(window, &from);
    const RECT to = AsRect(point);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}
