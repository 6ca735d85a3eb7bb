// The portable decoder on its own: what GDI gets to see (the working
// description), the RLE rules at their edges, the scaling of bit fields, the
// size cap and the row copy of the Windows back end. The shared test bitmaps
// cover the rest through LoadDibAsRgb.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dib_test_files.h"
#include "renderer/dib_decode.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void Put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}

uint32_t Get32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t Get16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

// A bare DIB with a 40-byte header; `tail` is what follows it (masks, table, pixels).
Bytes InfoDib(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
              uint32_t imageSize, uint32_t coloursUsed, const Bytes& tail) {
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, compression);
    Put32(b, imageSize);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, coloursUsed);
    Put32(b, 0);
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

struct Decoded {
    DibStatus status;
    Bytes pixels;
};

Decoded Decode(const Bytes& file) {
    RgbImage* image = nullptr;
    Decoded d{DecodeDib(file.data(), file.size(), &image), {}};
    if (image != nullptr) {
        const size_t bytes = static_cast<size_t>(image->width) * image->height * 3;
        d.pixels.assign(image->data, image->data + bytes);
        std::free(image->data);
        std::free(image);
    }
    return d;
}

// --- The working description ---------------------------------------------------------------

struct Description {
    const char* file;
    int32_t width, height;
    uint16_t bits;
    uint32_t compression, imageSize, coloursUsed, coloursImportant;
    size_t size;  // header, masks and 4-byte colour table
};

std::ostream& operator<<(std::ostream& os, const Description& d) { return os << d.file; }

class WorkingDescription : public ::testing::TestWithParam<Description> {};

TEST_P(WorkingDescription, IsAnInfoHeaderWithTheDefaultsFilledIn) {
    const Description& want = GetParam();
    const Bytes file = ReadFileBytes(DibBitmapPath(want.file));
    DibLayout layout;
    ASSERT_EQ(ParseDib(file.data(), file.size(), &layout), DibStatus::kOk);
    ASSERT_EQ(DibWorkingInfoSize(layout), want.size);
    Bytes info(want.size);
    WriteDibWorkingInfo(layout, info.data());
    EXPECT_EQ(Get32(info, 0), 40u);
    EXPECT_EQ(static_cast<int32_t>(Get32(info, 4)), want.width);
    EXPECT_EQ(static_cast<int32_t>(Get32(info, 8)), want.height);
    EXPECT_EQ(Get16(info, 12), 1u);
    EXPECT_EQ(Get16(info, 14), want.bits);
    EXPECT_EQ(Get32(info, 16), want.compression);
    EXPECT_EQ(Get32(info, 20), want.imageSize);
    EXPECT_EQ(Get32(info, 32), want.coloursUsed);
    EXPECT_EQ(Get32(info, 36), want.coloursImportant);
}

const Description kDescriptions[] = {
    // Core header: widened, image size ((8 * 5 + 7) / 8) * 3, both colour counts 256.
    {"pal8_core_5x3.bmp", 5, 3, 8, kDibRgb, 15, 256, 256, 40 + 256 * 4},
    {"pal4_core_bare_3x2.dib", 3, 2, 4, kDibRgb, 4, 16, 16, 40 + 16 * 4},
    // Info header: colours used 16 kept, 0 becomes the colour count.
    {"pal8_used16_4x3.bmp", 4, 3, 8, kDibRgb, 12, 16, 0, 40 + 16 * 4},
    {"pal4_5x3.bmp", 5, 3, 4, kDibRgb, 9, 16, 0, 40 + 16 * 4},
    {"rgb24_2x2.bmp", 2, 2, 24, kDibRgb, 12, 0, 0, 40},
    // Top-down keeps its sign; the image size counts rows.
    {"rgb24_topdown_3x3.bmp", 3, -3, 24, kDibRgb, 27, 0, 0, 40},
    // Bit fields carry their masks.
    {"bf16_565_8x8.bmp", 8, 8, 16, kDibBitFields, 128, 0, 0, 52},
    // RLE: the length of the stream up to its end, here the last row's end
    // of line; the file says 50, counting the end-of-bitmap escape after it.
    {"rle8_magick_13x7.bmp", 13, 7, 8, kDibRle8, 48, 256, 256, 40 + 256 * 4},
};

INSTANTIATE_TEST_SUITE_P(Bitmaps, WorkingDescription, ::testing::ValuesIn(kDescriptions));

TEST(DibWorkingInfo, WidensCoreTableEntriesAndCopiesMasksBeforeTheTable) {
    const Bytes core = ReadFileBytes(DibBitmapPath("pal8_core_5x3.bmp"));
    DibLayout layout;
    ASSERT_EQ(ParseDib(core.data(), core.size(), &layout), DibStatus::kOk);
    Bytes info(DibWorkingInfoSize(layout));
    WriteDibWorkingInfo(layout, info.data());
    // Entry 1 of the file's 3-byte table is at 14 + 12 + 3.
    EXPECT_THAT(Bytes(info.begin() + 44, info.begin() + 48),
                ::testing::ElementsAre(core[29], core[30], core[31], 0));

    const Bytes fields = ReadFileBytes(DibBitmapPath("bf16_565_8x8.bmp"));
    ASSERT_EQ(ParseDib(fields.data(), fields.size(), &layout), DibStatus::kOk);
    Bytes withMasks(DibWorkingInfoSize(layout));
    WriteDibWorkingInfo(layout, withMasks.data());
    EXPECT_EQ(Get32(withMasks, 40), 0xF800u);
    EXPECT_EQ(Get32(withMasks, 44), 0x07E0u);
    EXPECT_EQ(Get32(withMasks, 48), 0x001Fu);
}

// --- RLE at its edges ----------------------------------------------------------------------

// RLE8, 4 x 2, colour 1 white; the result as one letter a pixel, bottom row
// first: W white, . black; or "invalid".
struct RleCase {
    const char* name;
    Bytes stream;
    uint32_t imageSize;  // 0: the stream's length
    const char* picture;
};

std::ostream& operator<<(std::ostream& os, const RleCase& c) { return os << c.name; }

std::string Picture(const Decoded& d) {
    if (d.status != DibStatus::kOk) return "invalid";
    std::string s;
    for (size_t i = 0; i < d.pixels.size(); i += 3) s += d.pixels[i] == 255 ? 'W' : '.';
    return s;
}

class RleEdge : public ::testing::TestWithParam<RleCase> {};

TEST_P(RleEdge, DecodesOrIsRefused) {
    const RleCase& c = GetParam();
    Bytes tail = {0, 0, 0, 0, 255, 255, 255, 0};  // black, white
    tail.insert(tail.end(), c.stream.begin(), c.stream.end());
    const uint32_t size = c.imageSize != 0 ? c.imageSize : static_cast<uint32_t>(c.stream.size());
    EXPECT_EQ(Picture(Decode(InfoDib(4, 2, 8, kDibRle8, size, 2, tail))), c.picture);
}

const RleCase kRleCases[] = {
    {"EndAtOnceLeavesEverythingBlack", {0, 1}, 0, "........"},
    {"EndOfLastRowEndsTheData", {4, 1, 0, 0, 4, 1, 0, 0}, 0, "WWWWWWWW"},
    {"DataAfterTheEndIsIgnored", {4, 1, 0, 1, 0, 0xFF, 0, 0}, 0, "WWWW...."},
    {"DeltaToTheRightEdgeThenEndOfLine", {0, 2, 4, 0, 0, 0, 2, 1, 0, 1}, 0, "....WW.."},
    {"DeltaPastTheRightEdgeStopsThere", {0, 2, 200, 0, 3, 1, 0, 0, 1, 1, 0, 1}, 0, "....W..."},
    {"RunOf255StopsAtTheEdge", {255, 1, 0, 0, 0, 1}, 0, "WWWW...."},
    {"AbsoluteOddRunSkipsItsPadByte", {0, 3, 1, 0, 1, 0, 0, 0, 0, 1}, 0, "W.W....."},
    {"OneByteIsRefused", {4}, 0, "invalid"},
    {"AbsoluteRunWithoutItsPadByteIsRefused", {0, 3, 1, 0, 1}, 0, "invalid"},
    // The image size bounds the stream, and the file bounds the image size.
    {"ImageSizeBeforeTheEndIsRefused", {4, 1, 0, 1}, 2, "invalid"},
    {"ImageSizePastTheFileIsCutToIt", {4, 1, 0, 1}, 1000, "WWWW...."},
};

INSTANTIATE_TEST_SUITE_P(Rle8, RleEdge, ::testing::ValuesIn(kRleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Bit fields ----------------------------------------------------------------------------

// One 32-bit pixel: red in the mask under test, green 0x80 in the top byte,
// blue in bit 0 and 0.
struct FieldCase {
    uint32_t redMask;
    uint32_t redValue;
    unsigned char red;  // GDI's scaling: the top 8 bits, or the bits repeated once
};

std::ostream& operator<<(std::ostream& os, const FieldCase& c) {
    return os << std::hex << c.redMask << " " << c.redValue;
}

class FieldScaling : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldScaling, FollowsGdi) {
    const FieldCase& c = GetParam();
    uint32_t shift = 0;
    while (((c.redMask >> shift) & 1) == 0) ++shift;
    Bytes tail;
    Put32(tail, c.redMask);
    Put32(tail, 0xFF000000);
    Put32(tail, 0x00000001);
    Put32(tail, c.redValue << shift | 0x80000000);
    const Decoded d = Decode(InfoDib(1, 1, 32, kDibBitFields, 0, 0, tail));
    ASSERT_EQ(d.status, DibStatus::kOk);
    EXPECT_EQ(d.pixels[0], c.red);
    EXPECT_EQ(d.pixels[1], 0x80);
    EXPECT_EQ(d.pixels[2], 0);
}

const FieldCase kFieldCases[] = {
    {0x00000004, 1, 0xC0},    // 1 bit: 1 -> 10 + 1 repeated = 11000000
    {0x00000030, 1, 0x50},    // 2 bits: 01 -> 0101 0000
    {0x00000030, 3, 0xF0},    // 2 bits: 11 -> 1111 0000
    {0x00000700, 7, 0xFC},    // 3 bits
    {0x00F80000, 16, 0x84},   // 5 bits: 10000 -> 10000 100
    {0x00F80000, 31, 0xFF},
    {0x0000FC00, 32, 0x82},   // 6 bits: 100000 -> 100000 10
    {0x00FF0000, 0xA5, 0xA5}, // 8 bits: as it is
    {0x0003FF00, 0x201, 0x80},  // 10 bits: the top 8
    {0x00FFFF00, 0xABCD, 0xAB},
};

INSTANTIATE_TEST_SUITE_P(Masks, FieldScaling, ::testing::ValuesIn(kFieldCases));

// --- The size cap --------------------------------------------------------------------------

TEST(DibSizeCap, AcceptsExactlyTheCapAndNoMore) {
    // An RLE file of a few bytes can name any size of picture.
    const Bytes endAtOnce = {0, 0, 0, 0, 0, 1};
    const Bytes atCap = InfoDib(8192, 8192, 8, kDibRle8, 2, 1, endAtOnce);
    const Bytes pastCap = InfoDib(8192, 8193, 8, kDibRle8, 2, 1, endAtOnce);
    const Bytes wide = InfoDib(INT32_MAX, 1, 8, kDibRle8, 2, 1, endAtOnce);
    DibLayout layout;
    EXPECT_EQ(ParseDib(atCap.data(), atCap.size(), &layout), DibStatus::kOk);
    EXPECT_EQ(ParseDib(pastCap.data(), pastCap.size(), &layout), DibStatus::kInvalid);
    EXPECT_EQ(ParseDib(wide.data(), wide.size(), &layout), DibStatus::kInvalid);
    EXPECT_EQ(ParseDib(atCap.data(), atCap.size(), &layout, 1000), DibStatus::kInvalid);
}

// --- The Windows back end's row copy -------------------------------------------------------

class BgrRowCopy : public ::testing::TestWithParam<int32_t> {};

TEST_P(BgrRowCopy, SkipsWidthMod4PaddingBytesAfterEachRow) {
    const int32_t width = GetParam();
    const int32_t stride = (width * 3 + 3) / 4 * 4;
    Bytes bgr(static_cast<size_t>(stride) * 2, 0xEE);  // padding bytes stay 0xEE
    Bytes expected;
    for (int32_t row = 0; row < 2; ++row) {
        for (int32_t x = 0; x < width; ++x) {
            const unsigned char r = static_cast<unsigned char>(10 * x + row);
            unsigned char* p = &bgr[static_cast<size_t>(row * stride + 3 * x)];
            p[0] = static_cast<unsigned char>(r + 2);
            p[1] = static_cast<unsigned char>(r + 1);
            p[2] = r;
            expected.insert(expected.end(), {r, static_cast<unsigned char>(r + 1),
                                             static_cast<unsigned char>(r + 2)});
        }
    }
    Bytes rgb(expected.size());
    CopyBgrRowsAsRgb(bgr.data(), width, 2, rgb.data());
    EXPECT_EQ(rgb, expected);
}

INSTANTIATE_TEST_SUITE_P(Widths, BgrRowCopy, ::testing::Values(1, 2, 3, 4, 5, 32));

}  // namespace
