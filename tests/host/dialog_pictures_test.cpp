// The settings dialog's mark pictures and the BMP writer behind them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

int Sum(uint32_t rgb) { return (rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF); }
bool Grey(uint32_t rgb) {
    return (rgb >> 16 & 0xFF) == (rgb & 0xFF) && (rgb >> 8 & 0xFF) == (rgb & 0xFF);
}
bool Blue(uint32_t rgb) {
    return (rgb & 0xFF) > (rgb >> 16 & 0xFF) + 64 && (rgb & 0xFF) > (rgb >> 8 & 0xFF);
}

// Not selected: a grey frame around a light, empty face. Selected: blue
// inside a darker blue frame.
TEST(MarkPictures, FrameAndFace) {
    for (int y = 0; y < kMarkSize; ++y) {
        for (int x = 0; x < kMarkSize; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const bool frame = x == 0 || y == 0 || x == kMarkSize - 1 || y == kMarkSize - 1;
            const uint32_t off = MarkPixel(false, x, y);
            const uint32_t on = MarkPixel(true, x, y);
            EXPECT_TRUE(Grey(off));
            EXPECT_TRUE(Blue(on));
            EXPECT_EQ(off, frame ? MarkPixel(false, 0, 0) : MarkPixel(false, 5, 5));
            EXPECT_EQ(on, frame ? MarkPixel(true, 0, 0) : MarkPixel(true, 5, 5));
        }
    }
    EXPECT_GE(Sum(MarkPixel(false, 5, 5)), 3 * 230);  // light face
    EXPECT_LT(Sum(MarkPixel(false, 0, 0)), Sum(MarkPixel(false, 5, 5)) - 150);
    EXPECT_LT(Sum(MarkPixel(true, 0, 0)), Sum(MarkPixel(true, 5, 5)) - 100);  // darker frame
}

// Glintra.scr embeds the committed marks; they must be what the generator
// makes today.
TEST(MarkPictures, CommittedBitmapsAreTheGeneratorsOutput) {
    const char* source = std::getenv("GLINTRA_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    for (const bool selected : {false, true}) {
        const std::string name = selected ? kMarkSelectedFile : kMarkNotSelectedFile;
        std::ifstream file(std::string(source) + "/host/resources/" + name, std::ios::binary);
        ASSERT_TRUE(file) << name << " missing";
        const std::vector<unsigned char> committed{std::istreambuf_iterator<char>(file), {}};
        EXPECT_TRUE(committed == MakeMarkBitmapFile(selected))
            << "remake it: build/native/host/resources/glintra_make_marks host/resources";
    }
}

}  // namespace
