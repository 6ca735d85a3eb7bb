#include "host/settings_dialog/background_gradient.h"

#include <algorithm>
#include <cmath>

namespace {

// Not pi: the last row's angle lands just past it, where v rounds to 0.
constexpr double kHalfTurn = 3.142;
constexpr double kPeak = 220;
constexpr int kLift = 30;
constexpr int32_t kLastCounterValue = 32767;

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}

}  // namespace

int32_t GradientRowCount(double height) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double last = std::nearbyint(height);
    if (!(last >= 0)) return 0;  // negative, or not a number
    return static_cast<int32_t>(std::min<double>(last, kLastCounterValue)) + 1;
}

int GradientStrength(double height, int32_t y) {
    // Row 0 is 0 whatever the height; this also keeps a height of 0 (k = 0)
    // from dividing 0 by 0.
    if (y == 0) return 0;
    const double k = height / kHalfTurn;
    const double v = std::nearbyint(std::fabs(std::sin(y / k) * kPeak));
    return std::isfinite(v) ? static_cast<int>(v) : 0;
}

uint32_t GradientColour(GradientSurface surface, int v) {
    v = std::clamp(v, 0, static_cast<int>(kPeak));
    if (surface == GradientSurface::kWindow) return Rgb(v, v, v + kLift);
    return Rgb(v + kLift, v + kLift, v + kLift);
}

uint32_t GradientRowColour(GradientSurface surface, double height, int32_t y) {
    return GradientColour(surface, GradientStrength(height, y));
}
