#include "host/resources/glow_texture.h"

#include <cmath>
#include <cstdint>

namespace {

// The fall-off of the glow: mean brightness at each distance from the centre,
// linearly interpolated in between and black from 22 pixels out.
struct FallOff {
    double r;
    double brightness;
};
constexpr FallOff kFallOff[] = {
    {0, 255}, {1, 254}, {2, 251}, {3, 226}, {4, 172}, {5, 140}, {6, 108}, {7, 84}, {8, 66},
    {9, 51},  {10, 41}, {12, 28}, {14, 19}, {16, 11}, {18, 7},  {20, 4},  {22, 0},
};

void PutLE(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

unsigned char GlowBrightness(double r) {
    constexpr int n = sizeof(kFallOff) / sizeof(kFallOff[0]);
    if (!(r > 0)) return static_cast<unsigned char>(kFallOff[0].brightness);
    for (int i = 1; i < n; ++i) {
        if (r <= kFallOff[i].r) {
            const FallOff& a = kFallOff[i - 1];
            const FallOff& b = kFallOff[i];
            const double t = (r - a.r) / (b.r - a.r);
            return static_cast<unsigned char>(
                std::lround(a.brightness + t * (b.brightness - a.brightness)));
        }
    }
    return 0;
}

std::vector<unsigned char> MakeGlowBitmapFile() {
    constexpr uint32_t kHeaders = 14 + 40;
    constexpr uint32_t kRowBytes = kGlowSize * 3;  // 96: already a multiple of 4
    constexpr uint32_t kPixelBytes = kRowBytes * kGlowSize;
    std::vector<unsigned char> out;
    out.reserve(kHeaders + kPixelBytes);

    out.push_back('B');
    out.push_back('M');
    PutLE(out, kHeaders + kPixelBytes, 4);  // file size
    PutLE(out, 0, 4);                       // reserved
    PutLE(out, kHeaders, 4);                // offset of the pixels

    PutLE(out, 40, 4);         // info header size
    PutLE(out, kGlowSize, 4);  // width
    PutLE(out, kGlowSize, 4);  // height: positive, rows bottom-up
    PutLE(out, 1, 2);          // planes
    PutLE(out, 24, 2);         // bits per pixel
    PutLE(out, 0, 4);          // uncompressed
    PutLE(out, kPixelBytes, 4);
    PutLE(out, 3780, 4);  // 96 dpi, in pixels per metre
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);  // colours used
    PutLE(out, 0, 4);  // colours important

    const double centre = (kGlowSize - 1) / 2.0;
    for (int row = 0; row < kGlowSize; ++row) {
        for (int column = 0; column < kGlowSize; ++column) {
            const unsigned char v = GlowBrightness(std::hypot(column - centre, row - centre));
            out.insert(out.end(), {v, v, v});
        }
    }
    return out;
}
