#pragma once

#include <cstdint>

#include "host/forms/twips.h"

// The sizes of the preview form, from the preview window's rectangle. Portable.
//
// The form is sized in twips, held in signed 16 bits as the host always has,
// and its image in pixels converted back from those twips. At 15 twips a
// pixel the widest window that fits is 2184 pixels; a wider one gets a width
// of 0 (a step that fails is skipped, and the size stays 0). The conversions
// are the toolkit's (host/forms/twips.h).

struct PreviewLayout {
    int16_t widthTwips = 0;  // the form, at 0, 0 inside the preview window
    int16_t heightTwips = 0;
    int32_t imageWidth = 0;  // Img_Prev, at 0, 0 inside the form, in pixels
    int32_t imageHeight = 0;
};

// The layout for a preview window with the given screen rectangle (as
// GetWindowRect gives it; all zero when it can't be read). The differences
// of the coordinates wrap as 32-bit integers do.
PreviewLayout LayOutPreview(int32_t left, int32_t top, int32_t right, int32_t bottom,
                            double twipsPerPixelX, double twipsPerPixelY);
