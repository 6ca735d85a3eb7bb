// The settings dialog's mark pictures and the BMP writer behind them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/resources/bmp_file.h"
#include "host/resources/mark_pictures.h"

namespace {

uint32_t LE(const std::vector<unsigned char>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

// Rows bottom-up, each padded to four bytes, pixels as blue, green, red.
TEST(BmpFile, RowsBottomUpPaddedToFourBytes) {
    const std::vector<unsigned char> f = MakeBmpFile24(
        3, 2, [](int x, int y) { return static_cast<uint32_t>(0x102030 * (1 + x + 3 * y)); });
    ASSERT_EQ(f.size(), 54u + 2 * 12);
    EXPECT_EQ(LE(f, 2, 4), f.size());
    EXPECT_EQ(LE(f, 10, 4), 54u);
    EXPECT_EQ(LE(f, 18, 4), 3u);
    EXPECT_EQ(LE(f, 22, 4), 2u);
    EXPECT_EQ(LE(f, 28, 2), 24u);
    EXPECT_EQ(LE(f, 34, 4), 24u);
    for (int y = 0; y < 2; ++y) {
        const size_t row = 54 + static_cast<size_t>(1 - y) * 12;
        for (int x = 0; x < 3; ++x) {
            const uint32_t rgb = static_cast<uint32_t>(0x102030 * (1 + x + 3 * y));
            EXPECT_EQ(LE(f, row + x * 3, 3), rgb) << x << "," << y;
        }
        EXPECT_EQ(LE(f, row + 9, 3), 0u);  // padding
    }
}

int Channel(uint32_t rgb, int shift) { return static_cast<int>(rgb >> shift & 0xFF); }

// Not selected: a grey frame around a light face. Selected: blue inside a
// darker blue frame. Every edge pixel is frame, every other one face.
TEST(MarkPictures, FrameAndFace) {
    const uint32_t greyFrame = MarkPixel(false, 0, 0), lightFace = MarkPixel(false, 1, 1);
    const uint32_t blueFrame = MarkPixel(true, 0, 0), blueFace = MarkPixel(true, 1, 1);
    for (const uint32_t grey : {greyFrame, lightFace}) {
        EXPECT_TRUE(Channel(grey, 0) == Channel(grey, 8) && Channel(grey, 8) == Channel(grey, 16));
    }
    EXPECT_GT(Channel(lightFace, 0), Channel(greyFrame, 0) + 60);
    EXPECT_GE(Channel(lightFace, 0), 230);
    for (const uint32_t blue : {blueFrame, blueFace})
        EXPECT_GT(Channel(blue, 0), Channel(blue, 16) + 64);
    EXPECT_GT(Channel(blueFace, 0) + Channel(blueFace, 8),
              Channel(blueFrame, 0) + Channel(blueFrame, 8) + 100);
    for (int y = 0; y < kMarkSize; ++y) {
        for (int x = 0; x < kMarkSize; ++x) {
            const bool edge = x == 0 || y == 0 || x == kMarkSize - 1 || y == kMarkSize - 1;
            EXPECT_EQ(MarkPixel(false, x, y), edge ? greyFrame : lightFace) << x << "," << y;
            EXPECT_EQ(MarkPixel(true, x, y), edge ? blueFrame : blueFace) << x << "," << y;
        }
    }
}

}  // namespace
