#pragma once

// Pictures from the Windows side as the tests compare them: a part of the
// screen, what a window paints of itself, a GDI bitmap; top-down RGB.
#include <windows.h>

#include "support/screen_image.h"

// A window's outer rectangle in screen pixels, and a rectangle's centre.
RECT ScreenRect(HWND window);
POINT Centre(const RECT& rect);

// `area` of the screen as the user sees it (screen pixels).
ScreenImage CaptureScreenArea(const RECT& area);

// What `window` paints of itself (PrintWindow: WM_PRINT, WM_PRINTCLIENT),
// over grey; also for windows the system does not put on the screen.
ScreenImage CaptureWindowPainting(HWND window);

// The pixels of `bitmap`, whatever its format; empty when they can't be read.
ScreenImage PixelsOfBitmap(HBITMAP bitmap);
// The picture host/resources/`name` of the source tree (GLINTRA_SOURCE_DIR),
// read by the system; empty when it can't be read.
ScreenImage CommittedPicture(const std::string& name);
