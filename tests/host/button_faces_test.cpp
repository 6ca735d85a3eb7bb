// The Command button's six face pictures: the committed files are the
// generator's output, and they have the frame the control cuts from them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/resources/button_faces.h"

namespace {

using Face = FacePicture;

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ButtonFaces, TheCommittedPicturesAreTheGeneratorsOutput) {
    const char* source = std::getenv("GLINTRA_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    for (Face face : kFacePictures) {
        const std::string path = std::string(source) + "/host/resources/" + FaceFileName(face);
        EXPECT_EQ(ReadFile(path), MakeFaceBitmapFile(face))
            << path << ": remake it with glintra_make_button_faces";
    }
}

// The outline: dark blue (grey when disabled) on row 1, row 23, column 1
// and column 62 (one further in when pressed), starting four pixels from
// each corner (five when pressed), with the pixels before it shaded.
TEST(ButtonFaces, TheOutlineLiesWhereTheFrameIsCut) {
    for (Face face : kFacePictures) {
        SCOPED_TRACE(static_cast<int>(face));
        const int in = face == Face::Pressed ? 2 : 1;
        const uint32_t outline = face == Face::Disable ? kDisabledOutline : kOutline;
        const int first = in + 3;
        for (int x = first; x <= 63 - first; ++x) {
            EXPECT_EQ(FacePixel(face, x, in), outline) << x;
            EXPECT_EQ(FacePixel(face, x, 24 - in), outline) << x;
            EXPECT_NE(FacePixel(face, x, in - 1), outline) << x;
            EXPECT_NE(FacePixel(face, x, in + 1), outline) << x;
        }
        for (int y = first; y <= 24 - first; ++y) {
            EXPECT_EQ(FacePixel(face, in, y), outline) << y;
            EXPECT_EQ(FacePixel(face, 63 - in, y), outline) << y;
        }
        for (int i = in; i < first; ++i) {
            EXPECT_NE(FacePixel(face, i, in), outline) << "curve at " << i;
            EXPECT_NE(FacePixel(face, 63 - i, 24 - in), outline) << "curve at " << i;
        }
    }
}

}  // namespace
