#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// The host's start-up module: its entry procedure, the window zooms that the
// settings dialog uses, and the shared variables that go with them.

// The zoom point in screen pixels: the settings dialog stores the mouse
// position here when it loads; 0, 0 until then.
extern int16_t ZoomX;
extern int16_t ZoomY;

// The shared sink for the results of Windows calls.
extern int32_t Ret;

// What ShowCursor(FALSE) returned when the host hid the cursor for a saver
// run ("S"); empty otherwise. The end of the saver run puts the cursor back.
extern std::optional<int> CursorCount;

// The host's entry procedure: the instance test, then the mode that the
// command line's switch letter selects. Returns only once the form of that
// mode is loaded; every other path ends the host.
void Main();

// Animate the window opening out of the zoom point, and closing into it.
void ZoomFromCursor(HWND hWnd);
void ZoomToCursor(HWND hWnd);
