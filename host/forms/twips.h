#pragma once

#include <cstdint>

// Twips, the unit of the host's forms: 1440 to an inch, so 15 to a pixel on
// a screen of 96 dots per inch. Positions and sizes of controls are twips;
// the windows underneath are pixels. Portable, but for ScreenTwipsPerPixel.

namespace forms {

struct TwipsPerPixel {
    double x = 15;
    double y = 15;
};

// A control's rectangle in twips, from the top-left corner of its
// container's inner area. Real numbers: a caption may sit at 102.5 twips.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// An extent in pixels times the screen's twips per pixel, rounded to the
// nearest twip (halves to even); 0 when the result does not fit 16 bits,
// which is where the host keeps such sizes.
int16_t TwipsFromPixels(int32_t pixels, double twipsPerPixel);

// Twips to whole pixels, rounded to the nearest (halves to even). 0 for a
// factor that is not positive or a value that is no number; a result beyond
// 32 bits is held at the nearest end.
int32_t PixelsFromTwips(double twips, double twipsPerPixel);

// Each of the four converted on its own, as the forms place their controls.
PixelRect PixelsFromTwips(const TwipsRect& rect, TwipsPerPixel twipsPerPixel);

// The real screen's factors, from its logical dots per inch (GetDeviceCaps
// LOGPIXELSX and LOGPIXELSY); 15 and 15 when they can't be read. Windows
// only: twips_win32.cpp.
TwipsPerPixel ScreenTwipsPerPixel();

}  // namespace forms
