#pragma once

#include <cstdint>

// Where Form_Load puts the settings dialog: centred across the primary
// screen and a third of the free height from its top. Portable.

struct DialogPlace {
    int32_t left = 0;
    int32_t top = 0;
};

// The place of a dialog with the given outer size (border and caption
// included) on a screen of the given size, all in pixels:
//   left = (screen width - dialog width) \ 2,
//   top = (screen height - dialog height) \ 3,
// each difference first rounded to a whole number (halves to even) and the
// division truncating toward zero. On a screen smaller than the dialog the
// place is negative: a difference of -7 gives left -3 and top -2.
DialogPlace PlaceDialog(double screenWidth, double screenHeight, double dialogWidth,
                        double dialogHeight);
