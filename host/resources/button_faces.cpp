#include "host/resources/button_faces.h"

#include <algorithm>
#include <cmath>

#include "host/resources/bmp_file.h"

using Face = FacePicture;

namespace {

constexpr int kLastX = kFacePixelWidth - 1;   // 63
constexpr int kLastY = kFacePixelHeight - 1;  // 24

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF;
        const double cb = (b >> shift) & 0xFF;
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

// From `top` through `middle` (halfway) to `bottom` as y runs from `from` to `to`.
uint32_t Ramp(uint32_t top, uint32_t middle, uint32_t bottom, int y, int from, int to) {
    const double t = static_cast<double>(y - from) / (to - from);
    return t < 0.5 ? Mix(top, middle, t * 2) : Mix(middle, bottom, t * 2 - 1);
}

// The light ring around the outline: darker beige along the top, lighter
// along the bottom. `inset` is its distance from the picture's edge.
uint32_t LightRing(int x, int y, int inset, uint32_t bottomLeft) {
    const double along = static_cast<double>(x) / kLastX;
    if (y == inset) return Mix(0xDCD6C2, 0xE0DCC9, along);
    if (y == kLastY - inset) return Mix(bottomLeft, 0xFAFAF6, along);
    if (x == inset) return 0xE2DECB;
    return 0xF0EEE0;
}

struct Corner {
    uint32_t nearEnd;   // the two pixels of the curve next to the corner
    uint32_t nearLine;  // the two next to the straight outline
    uint32_t diagonal;
};

// The outline, `inset` pixels in, with its rounded corners; nothing when
// (x, y) is not on it. `ring` is the colour where the curve cuts the corner.
bool Outline(int x, int y, int inset, uint32_t line, const Corner& top, const Corner& bottom,
             uint32_t ring, uint32_t& colour) {
    // Distances from the nearest corner of the picture.
    const int i = std::min(x, kLastX - x);
    const int j = std::min(y, kLastY - y);
    const Corner& corner = y < kFacePixelHeight / 2 ? top : bottom;
    const int straight = inset + 3;  // the outline proper starts here along each side
    if (i == inset && j == inset) {
        colour = ring;
        return true;
    }
    if ((j == inset && i == inset + 1) || (i == inset && j == inset + 1)) {
        colour = corner.nearEnd;
        return true;
    }
    if ((j == inset && i == inset + 2) || (i == inset && j == inset + 2)) {
        colour = corner.nearLine;
        return true;
    }
    if (i == inset + 1 && j == inset + 1) {
        colour = corner.diagonal;
        return true;
    }
    if ((j == inset && i >= straight) || (i == inset && j >= straight)) {
        colour = line;
        return true;
    }
    return false;
}

constexpr Corner kDarkTop = {0x7A95A8, 0x164D7E, 0x557DA2};
constexpr Corner kDarkBottom = {0x7A95A8, 0x164D7E, 0x6C8CA4};
constexpr Corner kGrey = {0xD8D5C7, 0xCBC9BC, 0xD5D2C4};

// Inside the outline of Normal, HighLight and Selected (rows and columns 2
// to 22 and 2 to 61).
uint32_t Rim(Face face, int x, int y) {
    const int column = std::min(x, kLastX - x);  // 2 or 3 next to an outline
    const bool right = x > kLastX / 2;
    switch (face) {
        case Face::HighLight:
            if (y == 2) return 0xFFF0CF;
            if (y == 3) return 0xFDD889;
            if (y == 21) return 0xF8B330;
            if (y == 22) return 0xE59700;
            if (column == 2) return Ramp(0xFEDF9A, 0xFCCA69, 0xF8B435, y, 2, 22);
            if (column == 3) return Ramp(0xFCD279, 0xFCCA69, 0xF8B435, y, 2, 22);
            return 0xF3F3EE;
        case Face::Selected:
            if (y == 2 || y == 3) return 0xCEE7FF;
            if (y == 21 || y == 22) return 0x6982EE;
            if (column == 2 || column == 3) return Ramp(0xB7D0F4, 0xA9C5EF, 0x8BADE4, y, 2, 22);
            return 0xF3F3EE;
        default:  // Normal: face colour, shaded above the bottom outline and inside the sides
            if (y == 21) return 0xE2DFD6;
            if (y == 22) return 0xD6D0C5;
            if (column == 2 || column == 3) {
                return right ? Mix(0xFBFBFA, 0xE0DDD4, (y - 2) / 20.0)
                             : Mix(0xFDFDFC, 0xECEBE6, (y - 2) / 20.0);
            }
            return 0xF3F3EE;
    }
}

uint32_t RaisedFace(Face face, int x, int y) {
    if (x == 0 || y == 0 || x == kLastX || y == kLastY) return LightRing(x, y, 0, 0xF7F6EF);
    uint32_t colour = 0;
    const uint32_t ring = LightRing(x, y < kFacePixelHeight / 2 ? 0 : kLastY, 0, 0xF7F6EF);
    if (Outline(x, y, 1, kOutline, kDarkTop, kDarkBottom, ring, colour)) return colour;
    return Rim(face, x, y);
}

uint32_t PressedFace(int x, int y) {
    constexpr uint32_t kDialog = 0xECE9D8;
    if (x == 0 || y == 0 || x == kLastX || y == kLastY) return kDialog;
    if (x == 1 || y == 1 || x == kLastX - 1 || y == kLastY - 1) {
        return LightRing(x, y, 1, 0xF6F5ED);
    }
    uint32_t colour = 0;
    const uint32_t ring = LightRing(x, y < kFacePixelHeight / 2 ? 1 : kLastY - 1, 1, 0xF6F5ED);
    if (Outline(x, y, 2, kOutline, kDarkTop, kDarkBottom, ring, colour)) return colour;
    // Sunken: shadow inside the top and left outline, darker toward the
    // corners; light above the bottom outline.
    const int fromEnd = std::min(x - 3, kLastX - 3 - x);
    if (y == 3) return Mix(0xC6C0B4, 0xD1CCC1, fromEnd / 6.0);
    if (x == 3) return Mix(0xCCC8BE, 0xD7D4CB, std::min(y - 3, kLastY - 3 - y) / 4.0);
    if (y == 21) return 0xF2F1EE;
    return 0xE2E1D9;
}

uint32_t DisabledFace(int x, int y) {
    constexpr uint32_t kDialog = 0xECE9D8;
    if (x == 0 || y == 0 || x == kLastX || y == kLastY) return kDialog;
    uint32_t colour = 0;
    if (Outline(x, y, 1, kDisabledOutline, kGrey, kGrey, kDialog, colour)) return colour;
    return 0xF5F4EA;
}

}  // namespace

uint32_t FacePixel(Face face, int x, int y) {
    switch (face) {
        case Face::Pressed:
            return PressedFace(x, y);
        case Face::Disable:
            return DisabledFace(x, y);
        default:
            return RaisedFace(face, x, y);
    }
}

std::vector<unsigned char> MakeFaceBitmapFile(Face face) {
    return MakeBmpFile24(kFacePixelWidth, kFacePixelHeight,
                         [face](int x, int y) { return FacePixel(face, x, y); });
}

const char* FaceFileName(Face face) {
    switch (face) {
        case Face::Normal:
            return "button_normal.bmp";
        case Face::HighLight:
            return "button_highlight.bmp";
        case Face::Pressed:
            return "button_pressed.bmp";
        case Face::Disable:
            return "button_disable.bmp";
        case Face::Selected:
            return "button_selected.bmp";
    }
    return "";
}
