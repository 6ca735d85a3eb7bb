// The Command button's face pictures have the frame the control cuts from
// them.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/resources/button_faces.h"

namespace {

using Face = FacePicture;

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
