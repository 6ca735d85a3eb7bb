#include "host/command_button/face_frame.h"

#include <cmath>
#include <limits>

namespace command_button {

FacePicture PictureOfFace(Face face) {
    switch (face) {
        case Face::Normal:
            return FacePicture::Normal;
        case Face::HighLight:
        case Face::HighLightSelect:
            return FacePicture::HighLight;
        case Face::Pressed:
            return FacePicture::Pressed;
        case Face::Disable:
            return FacePicture::Disable;
        case Face::Selected:
            return FacePicture::Selected;
    }
    return FacePicture::Normal;
}

namespace {

// A 16-bit assignment: false, storing nothing, when the value doesn't fit.
bool Store16(int16_t& field, double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<int16_t>::min() &&
          rounded <= std::numeric_limits<int16_t>::max())) {
        return false;
    }
    field = static_cast<int16_t>(rounded);
    return true;
}

}  // namespace

void MeasureFrame(FrameSizes& sizes, double width, double height) {
    Store16(sizes.edgeWidth, width - 2 * kCorner);
    Store16(sizes.edgeHeight, height - 2 * kCorner);
}

std::vector<FramePiece> FramePieces(const FrameSizes& sizes, double width, double height) {
    if (sizes.edgeWidth < 0 || sizes.edgeHeight < 0) return {};
    const double c = kCorner;
    const double right = width - c;  // where the right column starts
    const double bottom = height - c;
    const double sourceRight = kFaceWidth - c;    // 900
    const double sourceBottom = kFaceHeight - c;  // 315
    return {
        {0, 0, c, c, 0, 0, c, c},
        {c, 0, kEdgeSourceWidth, c, c, 0, static_cast<double>(sizes.edgeWidth), c},
        {sourceRight, 0, c, c, right, 0, c, c},
        {sourceRight, c, c, kEdgeSourceHeight, right, c, c, static_cast<double>(sizes.edgeHeight)},
        {sourceRight, sourceBottom, c, c, right, bottom, c, c},
        {c, sourceBottom, kEdgeSourceWidth, c, c, bottom, static_cast<double>(sizes.edgeWidth), c},
        {0, sourceBottom, c, c, 0, bottom, c, c},
        {0, c, c, kEdgeSourceHeight, 0, c, c, static_cast<double>(sizes.edgeHeight)},
    };
}

double CaptionTop(double height, double captionHeight) {
    return (height - captionHeight - kCaptionOffset) / 2;
}

}  // namespace command_button
