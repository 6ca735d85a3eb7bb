#include "host/resources/glow_texture.h"

#include <cmath>
#include <cstdint>

#include "host/resources/bmp_file.h"

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
    const double centre = (kGlowSize - 1) / 2.0;
    return MakeBmpFile24(kGlowSize, kGlowSize, [centre](int x, int y) {
        const uint32_t v = GlowBrightness(std::hypot(x - centre, y - centre));
        return v << 16 | v << 8 | v;
    });
}
