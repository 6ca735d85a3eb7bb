#include "host/preview/preview_layout.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Window rectangle, screen factors, and the twips and pixels that follow.
TEST(LayOutPreview, CoversTheWindowAndGivesItsPixelsBack) {
    const struct {
        int32_t left, top, right, bottom;
        double tppX, tppY;
        int16_t widthTwips, heightTwips;
        int32_t imageWidth, imageHeight;
    } cases[] = {
        // The still's own size at 96 dpi: its design size in twips.
        {0, 0, 152, 112, 15, 15, 2280, 1680, 152, 112},
        // Anywhere on the screen, negative coordinates too.
        {-400, 300, -100, 500, 15, 15, 4500, 3000, 300, 200},
        // 120 dpi: twips by 12, the image still the window's pixels.
        {10, 10, 162, 122, 12, 12, 1824, 1344, 152, 112},
        // 100 dpi (14.4 twips a pixel): rounded to the nearest twip and back.
        {0, 0, 7, 3, 14.4, 14.4, 101, 43, 7, 3},
        // Different factors across and down.
        {0, 0, 100, 100, 15, 12, 1500, 1200, 100, 100},
        // 2184 pixels is the widest that 16 bits hold at 15; one more gives 0,
        // the other side unharmed.
        {0, 0, 2184, 2185, 15, 15, 32760, 0, 2184, 0},
        // A rectangle that couldn't be read.
        {0, 0, 0, 0, 15, 15, 0, 0, 0, 0},
        // Differences that overflow 32 bits wrap, and then don't fit.
        {-2000000000, 0, 2000000000, 10, 15, 15, 0, 150, 0, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << "," << c.right << ","
                                        << c.bottom << " at " << c.tppX << "x" << c.tppY);
        const PreviewLayout layout =
            LayOutPreview(c.left, c.top, c.right, c.bottom, c.tppX, c.tppY);
        EXPECT_EQ(layout.widthTwips, c.widthTwips);
        EXPECT_EQ(layout.heightTwips, c.heightTwips);
        EXPECT_EQ(layout.imageWidth, c.imageWidth);
        EXPECT_EQ(layout.imageHeight, c.imageHeight);
    }
}

}  // namespace
