// Windows only: GDI's conversion against the portable decoder, file by file,
// over the test bitmaps and the whole fuzzing corpus. The corpus holds odd
// but valid files that no hand-made bitmap covers; any pixel on which Wine's
// SetDIBits and the decoder differ shows here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dib_test_files.h"
#include "renderer/dib_decode.h"
#include "renderer/dib_loader.h"
#include "support/recording_error_box.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

void FreeImage(RgbImage* image) {
    if (image == nullptr) return;
    std::free(image->data);
    std::free(image);
}

std::string Text(DibStatus status, const std::string& path) {
    char* text = DibFailureText(status, path.c_str());
    std::string copy = text != nullptr ? text : "";
    std::free(text);
    return copy;
}

void ExpectBothBackEndsAgree(const std::string& path) {
    SCOPED_TRACE(path);
    bool read = false;
    const std::vector<unsigned char> bytes = ReadFileBytes(path, &read);
    ASSERT_TRUE(read);
    RgbImage* decoded = nullptr;
    // An empty file cannot be mapped, so the loader cannot open it.
    const DibStatus status = bytes.empty() ? DibStatus::kOpenFailed
                                           : DecodeDib(bytes.data(), bytes.size(), &decoded);
    RgbImage* loaded = LoadDibAsRgb(path.c_str());
    if (status != DibStatus::kOk) {
        EXPECT_EQ(loaded, nullptr);
        EXPECT_THAT(TakeShownErrors(), ElementsAre(Text(status, path)));
    } else {
        EXPECT_THAT(TakeShownErrors(), IsEmpty());
        EXPECT_NE(loaded, nullptr);
        if (loaded != nullptr) {
            EXPECT_EQ(loaded->width, decoded->width);
            EXPECT_EQ(loaded->height, decoded->height);
            const size_t size = static_cast<size_t>(decoded->width) * decoded->height * 3;
            if (loaded->width == decoded->width && loaded->height == decoded->height) {
                const std::vector<unsigned char> gdi(loaded->data, loaded->data + size);
                const std::vector<unsigned char> portable(decoded->data, decoded->data + size);
                EXPECT_TRUE(gdi == portable) << "GDI and the decoder give different pixels";
            }
        }
    }
    FreeImage(decoded);
    FreeImage(loaded);
}

TEST(DibBackEnds, AgreeOnEveryTestBitmap) {
    const std::vector<std::string> files = FilesIn(DibBitmapDir());
    ASSERT_FALSE(files.empty());
    for (const std::string& path : files) {
        if (path.size() >= 4 && (path.compare(path.size() - 4, 4, ".rgb") == 0 ||
                                 path.compare(path.size() - 3, 3, ".py") == 0)) {
            continue;
        }
        ExpectBothBackEndsAgree(path);
    }
}

TEST(DibBackEnds, AgreeOnEveryCorpusFile) {
    const std::vector<std::string> files = FilesIn(DibCorpusDir());
    ASSERT_FALSE(files.empty());
    for (const std::string& path : files) ExpectBothBackEndsAgree(path);
}

}  // namespace
