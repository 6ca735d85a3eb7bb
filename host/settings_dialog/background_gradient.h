#pragma once

#include <cstdint>

// The settings dialog's painted background: a vertical sine gradient, one
// horizontal line per row, on the window and on its panel (panel). Portable;
// the Win32 side paints one line per row into a back buffer once per size:
//
//   for (int32_t y = 0; y < GradientRowCount(h); ++y)
//       draw the line (0, y)-(width, y) in GradientRowColour(surface, h, y);
//
// Rows are in the surface's own units (pixels for a back buffer). The result
// doesn't depend on the unit: a row's colour is set by its share of the height.

enum class GradientSurface {
    kWindow,  // blue tint: red v, green v, blue v + 30
    kPanel,   // grey: red, green and blue v + 30
};

// The number of rows painted for a surface of inner height `height`: rows 0
// to `height` rounded to a whole number (halves to even), both included, so
// one more than the rounded height. The row counter is 16 bits wide: the
// last row is at most 32767. No rows for a height that rounds below 0.
int32_t GradientRowCount(double height);

// The strength v of row `y` (0..220): |sin(y / k)| * 220 rounded halves to
// even, with k = height / 3.142. 0 at the top, 220 in the middle, and 0
// again at the last row, where the angle is 3.142, just past pi.
int GradientStrength(double height, int32_t y);

// The colour of row `y` as &H00BBGGRR (the byte order of COLORREF).
uint32_t GradientRowColour(GradientSurface surface, double height, int32_t y);

// The colour for a strength v on a surface, as &H00BBGGRR.
uint32_t GradientColour(GradientSurface surface, int v);
