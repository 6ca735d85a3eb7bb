#pragma once

#include <windows.h>

#include "host/settings_dialog/cursor_zoom_point.h"

// The settings dialog's zooms: the system's caption animation from the zoom
// point out to the window as it opens, and from the window into the point as
// it closes.
void ZoomFromPoint(HWND window, ZoomXY point);
void ZoomToPoint(HWND window, ZoomXY point);
