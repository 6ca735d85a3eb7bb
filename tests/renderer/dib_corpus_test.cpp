// Every file of the fuzzing corpus, and every test bitmap, through the
// portable decoder in the sanitizer build: what the fuzzer once found stays
// found without libFuzzer. Beyond not crashing, an accepted file must be
// described within its own bytes and decode to a picture of its size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dib_test_files.h"
#include "renderer/dib_decode.h"

namespace {

void CheckFile(const std::string& path) {
    SCOPED_TRACE(path);
    bool read = false;
    const std::vector<unsigned char> file = ReadFileBytes(path, &read);
    ASSERT_TRUE(read);
    const unsigned char* begin = file.data();
    const unsigned char* end = begin + file.size();

    DibLayout layout;
    const DibStatus parsed = ParseDib(begin, file.size(), &layout);
    if (parsed == DibStatus::kOk) {
        EXPECT_GT(layout.width, 0);
        EXPECT_NE(layout.height, 0);
        EXPECT_LE(static_cast<uint64_t>(layout.width) * DibRows(layout), kDibMaxPixels);
        EXPECT_TRUE(layout.pixels >= begin && layout.pixelBytes <= size_t(end - layout.pixels));
        const size_t table = size_t{layout.colourCount} * layout.colourEntrySize;
        EXPECT_TRUE(layout.colourTable >= begin && table <= size_t(end - layout.colourTable));
        EXPECT_LE(layout.colourTable + table, layout.pixels);
    }

    RgbImage* image = nullptr;
    EXPECT_EQ(DecodeDib(begin, file.size(), &image), parsed);
    EXPECT_EQ(image != nullptr, parsed == DibStatus::kOk);
    if (image != nullptr) {
        EXPECT_EQ(image->width, layout.width);
        EXPECT_EQ(image->height, DibRows(layout));
        std::free(image->data);
        std::free(image);
    }
}

TEST(DibCorpus, EveryCorpusFileDecodesSafely) {
    const std::vector<std::string> files = FilesIn(DibCorpusDir());
    ASSERT_FALSE(files.empty()) << "no corpus in " << DibCorpusDir();
    for (const std::string& path : files) CheckFile(path);
}

TEST(DibCorpus, EveryTestBitmapDecodesSafely) {
    const std::vector<std::string> files = FilesIn(DibBitmapDir());
    ASSERT_FALSE(files.empty()) << "no bitmaps in " << DibBitmapDir();
    for (const std::string& path : files) CheckFile(path);
}

}  // namespace
