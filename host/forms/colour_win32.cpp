#include <windows.h>

#include "host/forms/colour.h"

namespace forms {

uint32_t DrawingColour(uint32_t colour) {
    if ((colour & 0x80000000u) != 0) return GetSysColor(static_cast<int>(colour & 0xFFu));
    return colour & 0x00FFFFFFu;
}

}  // namespace forms
