// LoadDibAsRgb against the shared test bitmaps. The same source runs natively
// (the portable back end) and under Wine (file mapping and GDI), so both back
// ends are held to the same bytes and the same messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dib_test_files.h"
#include "renderer/dib_loader.h"
#include "support/recording_error_box.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct ImageDeleter {
    void operator()(RgbImage* image) const {
        if (image == nullptr) return;
        std::free(image->data);
        std::free(image);
    }
};
using ImagePtr = std::unique_ptr<RgbImage, ImageDeleter>;

ImagePtr Load(const std::string& path) { return ImagePtr(LoadDibAsRgb(path.c_str())); }

std::vector<unsigned char> Pixels(const RgbImage& image) {
    return std::vector<unsigned char>(
        image.data, image.data + static_cast<size_t>(image.width) * image.height * 3);
}

// Names the first pixel that differs, rather than dumping both pictures.
::testing::AssertionResult SamePixels(const std::vector<unsigned char>& actual,
                                      const std::vector<unsigned char>& expected, int width) {
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << actual.size() << " bytes, expected " << expected.size();
    }
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            const size_t pixel = i / 3;
            return ::testing::AssertionFailure()
                   << "pixel x=" << pixel % width << " row=" << pixel / width << " channel "
                   << i % 3 << ": " << int{actual[i]} << ", expected " << int{expected[i]};
        }
    }
    return ::testing::AssertionSuccess();
}

// A test name from a file name: letters and digits only.
std::string TestName(std::string file) {
    for (char& c : file) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return file;
}

// --- Files that load -----------------------------------------------------------------------

struct GoodFile {
    const char* file;
    const char* expected;  // the picture, rows bottom-up, R G B
    int32_t width;
    int32_t height;
};

std::ostream& operator<<(std::ostream& os, const GoodFile& f) { return os << f.file; }

const GoodFile kGoodFiles[] = {
    {"rgb24_2x2.bmp", "rgb24_2x2.rgb", 2, 2},
    {"rgb24_3x2.bmp", "rgb24_3x2.rgb", 3, 2},
    {"glow_magick_32x32.bmp", "glow_magick_32x32.rgb", 32, 32},
    {"rgb32_3x2.bmp", "rgb32_3x2.rgb", 3, 2},
    {"rgb16_555_8x4.bmp", "rgb16_555_8x4.rgb", 8, 4},
    {"pal1_9x3.bmp", "pal1_9x3.rgb", 9, 3},
    {"pal4_5x3.bmp", "pal4_5x3.rgb", 5, 3},
    {"pal8_info_5x3.bmp", "pal8_5x3.rgb", 5, 3},
    {"pal8_core_5x3.bmp", "pal8_5x3.rgb", 5, 3},
    {"pal8_used16_4x3.bmp", "pal8_used16_4x3.rgb", 4, 3},
    {"pal8_past_table_4x2.bmp", "pal8_past_table_4x2.rgb", 4, 2},
    {"pal4_core_bare_3x2.dib", "pal4_core_bare_3x2.rgb", 3, 2},
    {"pal8_info_bare_3x2.dib", "pal8_info_bare_3x2.rgb", 3, 2},
    {"bf16_565_8x8.bmp", "bf16_565_8x8.rgb", 8, 8},
    {"bf16_565_bare_8x8.dib", "bf16_565_bare_8x8.rgb", 8, 8},
    {"bf16_444_4x4.bmp", "bf16_444_4x4.rgb", 4, 4},
    {"bf32_101010_2x2.bmp", "bf32_101010_2x2.rgb", 2, 2},
    {"bf32_xbgr_3x2.bmp", "bf32_xbgr_3x2.rgb", 3, 2},
    {"rle8_8x6.bmp", "rle8_8x6.rgb", 8, 6},
    {"rle8_last_eol_4x2.bmp", "rle8_last_eol_4x2.rgb", 4, 2},
    {"rle8_magick_13x7.bmp", "rle8_magick_13x7.rgb", 13, 7},
    {"rle4_9x6.bmp", "rle4_9x6.rgb", 9, 6},
    // Runs past the right edge stop there.
    {"rle8_clipped_4x3.bmp", "rle8_clipped_4x3.rgb", 4, 3},
    {"rle4_clipped_3x2.bmp", "rle4_clipped_3x2.rgb", 3, 2},
    // Top-down files come out upright, with a positive height.
    {"rgb24_topdown_3x3.bmp", "rgb24_topdown_3x3.rgb", 3, 3},
    {"pal8_topdown_5x3.bmp", "pal8_topdown_5x3.rgb", 5, 3},
    {"pal1_topdown_9x2.bmp", "pal1_topdown_9x2.rgb", 9, 2},
};

class GoodBitmap : public ::testing::TestWithParam<GoodFile> {};

TEST_P(GoodBitmap, LoadsAsItsPictureWithoutAMessage) {
    const GoodFile& f = GetParam();
    const ImagePtr image = Load(DibBitmapPath(f.file));
    EXPECT_THAT(TakeShownErrors(), IsEmpty());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, f.width);
    EXPECT_EQ(image->height, f.height);
    bool read = false;
    const std::vector<unsigned char> expected = ReadFileBytes(DibBitmapPath(f.expected), &read);
    ASSERT_TRUE(read) << f.expected;
    EXPECT_TRUE(SamePixels(Pixels(*image), expected, f.width));
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, GoodBitmap, ::testing::ValuesIn(kGoodFiles),
                         [](const auto& info) { return TestName(info.param.file); });

// --- Files that are refused ----------------------------------------------------------------

enum class Says { kOpenFailed, kInvalid, kUnknownFormat, kNotConvertible };

struct BadFile {
    const char* file;
    Says says;
};

std::ostream& operator<<(std::ostream& os, const BadFile& f) { return os << f.file; }

std::string ExpectedText(Says says, const std::string& path) {
    switch (says) {
        case Says::kOpenFailed:
            return "Failed to open DIB file " + path + ".\n";
        case Says::kInvalid:
            return "Invalid DIB file " + path + ".\n";
        case Says::kUnknownFormat:
            return "Unknown DIB file format.";
        case Says::kNotConvertible:
            return "Image file conversion error.";
    }
    return {};
}

const BadFile kBadFiles[] = {
    {"no_such_file.bmp", Says::kOpenFailed},
    {"empty.bmp", Says::kOpenFailed},
    {"header108.bmp", Says::kUnknownFormat},
    {"header124.bmp", Says::kUnknownFormat},
    {"not_a_bitmap.bmp", Says::kUnknownFormat},
    {"compression_jpeg.bmp", Says::kNotConvertible},
    {"compression_png.bmp", Says::kNotConvertible},
    {"compression_unknown.bmp", Says::kNotConvertible},
    // Cut short.
    {"trunc_file_header.bmp", Says::kInvalid},
    {"trunc_header_size.bmp", Says::kInvalid},
    {"trunc_info_header.bmp", Says::kInvalid},
    {"trunc_core_header.dib", Says::kInvalid},
    {"trunc_masks.bmp", Says::kInvalid},
    {"trunc_colour_table.bmp", Says::kInvalid},
    {"colour_table_huge.bmp", Says::kInvalid},
    {"trunc_pixel_rows.bmp", Says::kInvalid},
    {"trunc_bare_pixel_rows.dib", Says::kInvalid},
    {"offset_past_end.bmp", Says::kInvalid},
    // Inconsistent.
    {"offset_into_header.bmp", Says::kInvalid},
    {"offset_into_table.bmp", Says::kInvalid},
    {"width_zero.bmp", Says::kInvalid},
    {"width_negative.bmp", Says::kInvalid},
    {"height_zero.bmp", Says::kInvalid},
    {"height_most_negative.bmp", Says::kInvalid},
    {"core_width_zero.bmp", Says::kInvalid},
    {"planes_zero.bmp", Says::kInvalid},
    {"planes_two.bmp", Says::kInvalid},
    {"bits_zero.bmp", Says::kInvalid},
    {"bits_two.bmp", Says::kInvalid},
    {"bits_seven.bmp", Says::kInvalid},
    {"rle8_on_4_bits.bmp", Says::kInvalid},
    {"bitfields_on_24_bits.bmp", Says::kInvalid},
    {"colours_used_too_many.bmp", Says::kInvalid},
    {"bitfields_mask_zero.bmp", Says::kInvalid},
    {"bitfields_mask_broken.bmp", Says::kInvalid},
    {"bitfields_masks_overlap.bmp", Says::kInvalid},
    {"bitfields_mask_too_wide.bmp", Says::kInvalid},
    {"rle_top_down.bmp", Says::kInvalid},
    // Too large to be safe: more pixels than the loader's cap.
    {"huge_rgb.bmp", Says::kInvalid},
    {"huge_4g_pixels.bmp", Says::kInvalid},
    {"huge_rle8.bmp", Says::kInvalid},
    {"cap_plus_one_row.bmp", Says::kInvalid},
    // RLE data that leaves the input or the top of the picture.
    {"rle8_delta_past_top.bmp", Says::kInvalid},
    {"rle8_no_end.bmp", Says::kInvalid},
    {"rle8_absolute_past_input.bmp", Says::kInvalid},
    {"rle8_delta_cut_short.bmp", Says::kInvalid},
    {"rle8_image_size_short.bmp", Says::kInvalid},
    {"rle4_absolute_past_input.bmp", Says::kInvalid},
};

class BadBitmap : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadBitmap, IsRefusedWithExactlyOneMessage) {
    const BadFile& f = GetParam();
    const std::string path = DibBitmapPath(f.file);
    EXPECT_EQ(Load(path), nullptr);
    EXPECT_THAT(TakeShownErrors(), ElementsAre(ExpectedText(f.says, path)));
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, BadBitmap, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return TestName(info.param.file); });

// --- Long paths ----------------------------------------------------------------------------

// A folder whose path is `length` characters long, under the temporary folder.
std::filesystem::path LongFolder(size_t length) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "glintra-dib-test";
    size_t n = 0;
    while (dir.string().size() + 1 < length) {
        const size_t room = length - dir.string().size() - 1;
        dir /= std::string(room < 50 ? room : 50, static_cast<char>('a' + n++ % 26));
    }
    return dir;
}

TEST(DibLoader, MissingFileMessageShowsAPathOfMoreThan256Characters) {
    const std::string path = DibBitmapPath(std::string(300, 'x') + ".bmp");
    EXPECT_EQ(Load(path), nullptr);
    EXPECT_THAT(TakeShownErrors(), ElementsAre("Failed to open DIB file " + path + ".\n"));
}

TEST(DibLoader, DamagedFileMessageShowsAPathOfMoreThan229Characters) {
    // Windows opens paths of up to 259 characters.
    const std::filesystem::path dir = LongFolder(240);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "damaged.bmp").string();
    ASSERT_GT(path.size(), 229u);
    ASSERT_LT(path.size(), 260u);
    {
        const std::vector<unsigned char> bytes =
            ReadFileBytes(DibBitmapPath("trunc_pixel_rows.bmp"));
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    EXPECT_EQ(Load(path), nullptr);
    EXPECT_THAT(TakeShownErrors(), ElementsAre("Invalid DIB file " + path + ".\n"));
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / "glintra-dib-test");
}

}  // namespace
