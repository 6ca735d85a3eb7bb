#include "host/preview/preview_layout.h"

namespace {

// Two's-complement subtraction without the undefined overflow of int32_t.
int32_t WrappingDifference(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace

PreviewLayout LayOutPreview(int32_t left, int32_t top, int32_t right, int32_t bottom,
                            double twipsPerPixelX, double twipsPerPixelY) {
    PreviewLayout layout;
    layout.widthTwips = forms::TwipsFromPixels(WrappingDifference(right, left), twipsPerPixelX);
    layout.heightTwips = forms::TwipsFromPixels(WrappingDifference(bottom, top), twipsPerPixelY);
    layout.imageWidth = forms::PixelsFromTwips(layout.widthTwips, twipsPerPixelX);
    layout.imageHeight = forms::PixelsFromTwips(layout.heightTwips, twipsPerPixelY);
    return layout;
}
