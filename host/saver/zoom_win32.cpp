// The window zooms of the start-up module and the variables they share with
// the settings dialog, in a library of their own so that every program
// holding the dialog (the host, its benchmarks) has them.
#include <windows.h>

#include "host/saver/glintra_b.h"

int16_t ZoomX = 0;
int16_t ZoomY = 0;
int32_t Ret = 0;

namespace {

// A point as a rectangle; the 16-bit coordinates widen with their sign.
RECT ZoomPoint() { return RECT{ZoomX, ZoomY, ZoomX, ZoomY}; }

}  // namespace

void ZoomFromCursor(HWND hWnd) {
    const RECT from = ZoomPoint();
    RECT to = {};  // stays zero when the window has no rectangle
    GetWindowRect(hWnd, &to);
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
}

void ZoomToCursor(HWND hWnd) {
    RECT from = {};
    GetWindowRect(hWnd, &from);
    const RECT to = ZoomPoint();
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
}
