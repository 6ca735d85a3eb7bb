#pragma once

#include <cstdint>

// The zoom point that the settings dialog takes from the mouse position as
// it loads, for its opening and closing zooms (window_zoom_win32.h).
// Portable.

struct ZoomXY {
    int16_t x = 0;
    int16_t y = 0;
};

// The zoom point after reading the cursor position: `gotCursor` is whether
// GetCursorPos succeeded, (`x`, `y`) the point it gave in screen pixels.
// Failure gives 0, 0. A coordinate outside -32768..32767 doesn't convert to
// 16 bits, and that coordinate keeps its value in `previous` (0 at load).
ZoomXY ZoomPointFromCursor(bool gotCursor, int32_t x, int32_t y, ZoomXY previous);
