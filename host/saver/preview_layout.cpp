#include "host/saver/preview_layout.h"

#include <cmath>
#include <limits>

namespace {

// Two's-complement subtraction without the undefined overflow of int32_t.
int32_t WrappingDifference(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace

int16_t TwipsFromPixels(int32_t pixels, double twipsPerPixel) {
    const double twips = std::nearbyint(static_cast<double>(pixels) * twipsPerPixel);
    // Also false for NaN.
    if (!(twips >= std::numeric_limits<int16_t>::min() &&
          twips <= std::numeric_limits<int16_t>::max())) {
        return 0;
    }
    return static_cast<int16_t>(twips);
}

int32_t PixelsFromTwips(int16_t twips, double twipsPerPixel) {
    if (!(twipsPerPixel > 0)) return 0;
    return static_cast<int32_t>(std::nearbyint(twips / twipsPerPixel));
}

PreviewLayout LayOutPreview(int32_t left, int32_t top, int32_t right, int32_t bottom,
                            double twipsPerPixelX, double twipsPerPixelY) {
    PreviewLayout layout;
    layout.widthTwips = TwipsFromPixels(WrappingDifference(right, left), twipsPerPixelX);
    layout.heightTwips = TwipsFromPixels(WrappingDifference(bottom, top), twipsPerPixelY);
    layout.imageWidth = PixelsFromTwips(layout.widthTwips, twipsPerPixelX);
    layout.imageHeight = PixelsFromTwips(layout.heightTwips, twipsPerPixelY);
    return layout;
}
