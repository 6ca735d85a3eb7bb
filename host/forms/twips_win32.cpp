#include <windows.h>

#include "host/forms/twips.h"

namespace forms {

TwipsPerPixel ScreenTwipsPerPixel() {
    // Read once: the program is DPI-aware (its manifest says so) and the
    // logical resolution of a session does not change under it.
    static const TwipsPerPixel factors = [] {
        TwipsPerPixel read;
        if (HDC screen = GetDC(nullptr)) {
            const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
            const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
            if (dpiX > 0) read.x = 1440.0 / dpiX;
            if (dpiY > 0) read.y = 1440.0 / dpiY;
            ReleaseDC(nullptr, screen);
        }
        return read;
    }();
    return factors;
}

}  // namespace forms
