#include "host/forms/twips.h"

#include <cmath>
#include <limits>

namespace forms {

int16_t TwipsFromPixels(int32_t pixels, double twipsPerPixel) {
    const double twips = std::nearbyint(static_cast<double>(pixels) * twipsPerPixel);
    // Also false for NaN.
    if (!(twips >= std::numeric_limits<int16_t>::min() &&
          twips <= std::numeric_limits<int16_t>::max())) {
        return 0;
    }
    return static_cast<int16_t>(twips);
}

int32_t PixelsFromTwips(double twips, double twipsPerPixel) {
    if (!(twipsPerPixel > 0) || std::isnan(twips)) return 0;
    const double pixels = std::nearbyint(twips / twipsPerPixel);
    if (pixels <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (pixels >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(pixels);
}

PixelRect PixelsFromTwips(const TwipsRect& rect, TwipsPerPixel factors) {
    return PixelRect{PixelsFromTwips(rect.left, factors.x), PixelsFromTwips(rect.top, factors.y),
                     PixelsFromTwips(rect.width, factors.x),
                     PixelsFromTwips(rect.height, factors.y)};
}

}  // namespace forms
