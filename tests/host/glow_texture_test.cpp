#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>

#include "host/resources/glow_texture.h"

namespace {

uint32_t LE(const std::vector<unsigned char>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

}  // namespace

TEST(GlowTexture, IsA32By32TwentyFourBitBottomUpBitmap) {
    const std::vector<unsigned char> f = MakeGlowBitmapFile();
    ASSERT_EQ(f.size(), 14u + 40u + 32u * 32u * 3u);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(LE(f, 2, 4), f.size());
    EXPECT_EQ(LE(f, 10, 4), 54u);
    EXPECT_EQ(LE(f, 14, 4), 40u);
    EXPECT_EQ(LE(f, 18, 4), 32u);
    EXPECT_EQ(LE(f, 22, 4), 32u);  // positive: bottom-up
    EXPECT_EQ(LE(f, 26, 2), 1u);
    EXPECT_EQ(LE(f, 28, 2), 24u);
    EXPECT_EQ(LE(f, 30, 4), 0u);
}

// Grey, symmetric about (15.5, 15.5), and on average as bright at each
// distance as the glow's fall-off says: a saturated core, black corners.
TEST(GlowTexture, FallsOffFromASaturatedCoreToBlackCorners) {
    const std::vector<unsigned char> f = MakeGlowBitmapFile();
    auto pixel = [&](int x, int y) { return &f[54 + (y * 32 + x) * 3]; };
    std::map<int, std::pair<double, int>> rings;  // rounded distance -> sum, count
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const unsigned char* p = pixel(x, y);
            ASSERT_EQ(p[0], p[1]);
            ASSERT_EQ(p[1], p[2]);
            EXPECT_EQ(p[0], pixel(31 - x, y)[0]);
            EXPECT_EQ(p[0], pixel(x, 31 - y)[0]);
            EXPECT_EQ(p[0], pixel(y, x)[0]);
            auto& ring = rings[static_cast<int>(std::lround(std::hypot(x - 15.5, y - 15.5)))];
            ring.first += p[0];
            ring.second += 1;
        }
    }
    const std::map<int, double> expected = {{1, 254}, {2, 251}, {3, 226}, {4, 172}, {5, 140},
                                            {6, 108}, {7, 84},  {8, 66},  {9, 51},  {10, 41},
                                            {12, 28}, {14, 19}, {16, 11}, {18, 7},  {20, 4}};
    for (const auto& [r, mean] : expected) {
        const double got = rings[r].first / rings[r].second;
        EXPECT_NEAR(got, mean, std::max(3.0, mean / 5)) << "distance " << r;
    }
    EXPECT_EQ(pixel(0, 0)[0], 0);
    EXPECT_EQ(pixel(31, 31)[0], 0);
    EXPECT_GE(pixel(15, 15)[0], 250);
}
