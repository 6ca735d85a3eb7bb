#include "host/forms/colour.h"

namespace forms {

namespace {

// COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30).
constexpr uint32_t kLastSystemColour = 30;

}  // namespace

bool IsValidColour(uint32_t colour) {
    if ((colour & 0xFF000000u) == 0) return true;
    return (colour & 0xFF000000u) == 0x80000000u && (colour & 0x00FFFFFFu) <= kLastSystemColour;
}

}  // namespace forms
