// The program's icon: the file's layout as Windows reads it (directory,
// 8-bit pictures with an AND mask), and what each picture shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "host/resources/glintra_icon.h"

namespace {

uint32_t LE(const std::vector<unsigned char>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
    return v;
}

bool OutsideDisc(int size, int x, int y) {
    return std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) > size / 2.0;
}

}  // namespace

// Each directory entry points at a 256-colour bitmap of its size whose AND
// mask makes exactly the pixels outside the disc transparent, over black.
TEST(GlintraIcon, HoldsA256ColourPictureOfEachSizeMaskedToADisc) {
    const std::vector<unsigned char> f = MakeIconFile();
    constexpr int kCount = sizeof(kIconSizes) / sizeof(kIconSizes[0]);
    ASSERT_EQ(LE(f, 0, 2), 0u);
    ASSERT_EQ(LE(f, 2, 2), 1u);  // an icon, not a cursor
    ASSERT_EQ(LE(f, 4, 2), static_cast<uint32_t>(kCount));
    size_t end = 6 + 16 * kCount;
    for (int i = 0; i < kCount; ++i) {
        const int size = kIconSizes[i];
        SCOPED_TRACE("size " + std::to_string(size));
        const size_t entry = 6 + 16 * i;
        EXPECT_EQ(f[entry], size);
        EXPECT_EQ(f[entry + 1], size);
        EXPECT_EQ(f[entry + 2], 0);  // 256 colours
        EXPECT_EQ(LE(f, entry + 4, 2), 1u);
        EXPECT_EQ(LE(f, entry + 6, 2), 8u);
        const uint32_t bytes = LE(f, entry + 8, 4);
        const uint32_t at = LE(f, entry + 12, 4);
        ASSERT_EQ(at, end) << "pictures follow each other";
        end += bytes;
        ASSERT_LE(end, f.size());

        ASSERT_EQ(LE(f, at, 4), 40u);
        EXPECT_EQ(LE(f, at + 4, 4), static_cast<uint32_t>(size));
        EXPECT_EQ(LE(f, at + 8, 4), static_cast<uint32_t>(2 * size));  // colour and mask
        EXPECT_EQ(LE(f, at + 14, 2), 8u);
        const uint32_t xorRow = (size + 3) / 4 * 4;
        const uint32_t andRow = (size + 31) / 32 * 4;
        ASSERT_EQ(bytes, 40 + 256 * 4 + (xorRow + andRow) * size);
        const size_t palette = at + 40;
        const size_t pixels = palette + 256 * 4;
        const size_t mask = pixels + xorRow * size;
        for (int y = 0; y < size; ++y) {
            const int row = size - 1 - y;  // bottom-up
            for (int x = 0; x < size; ++x) {
                const bool transparent = (f[mask + row * andRow + x / 8] >> (7 - x % 8)) & 1;
                ASSERT_EQ(transparent, OutsideDisc(size, x, y)) << x << "," << y;
                if (transparent) {
                    const unsigned index = f[pixels + row * xorRow + x];
                    ASSERT_EQ(LE(f, palette + 4 * index, 3), 0u) << "not black under the mask";
                }
            }
        }
    }
    EXPECT_EQ(end, f.size());
}

// Six sparks of six colours on a ring about the centre, over a dark disc.
TEST(GlintraIcon, ShowsSixColouredSparksOnARingOverADarkDisc) {
    for (int size : kIconSizes) {
        SCOPED_TRACE("size " + std::to_string(size));
        const IconPicture picture = DrawIconPicture(size);
        ASSERT_EQ(picture.palette.size(), 256u * 3);
        auto colour = [&](double x, double y) {
            const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
            const unsigned index = picture.indices.at(iy * size + ix);
            return std::vector<int>{picture.palette[index * 3], picture.palette[index * 3 + 1],
                                    picture.palette[index * 3 + 2]};
        };
        // The spark at angle 0 (right of the centre) is red, the one at 120
        // degrees green, the one at 240 degrees blue: summed over the spark and
        // its glow (its core is white-hot), its colour outweighs the others.
        const struct {
            double degrees;
            int strongest;
        } sparks[] = {{0, 0}, {120, 1}, {240, 2}};
        const int reach = size / 8;
        for (const auto& spark : sparks) {
            const double a = spark.degrees * 3.14159265358979 / 180;
            const double x = size / 2.0 + size * 0.3 * std::cos(a);
            const double y = size / 2.0 + size * 0.3 * std::sin(a);
            std::vector<int> sum = {0, 0, 0};
            int brightest = 0;
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const std::vector<int> c = colour(x + dx, y + dy);
                    for (int k = 0; k < 3; ++k) {
                        sum[k] += c[k];
                        brightest = std::max(brightest, c[k]);
                    }
                }
            }
            for (int other = 0; other < 3; ++other) {
                if (other != spark.strongest) {
                    EXPECT_GT(sum[spark.strongest], sum[other]) << "spark at " << spark.degrees;
                }
            }
            EXPECT_GT(brightest, 200) << "spark at " << spark.degrees;
        }
        // Between the ring and the edge, and at the edge: dark.
        for (int c : colour(size / 2.0, size * 0.04 + 0.5)) EXPECT_LT(c, 40);
    }
}
