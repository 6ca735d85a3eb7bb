#pragma once

#include <windows.h>

#include "host/forms/font.h"

namespace forms {

// The GDI font for a font description, made when first asked for and again
// only when the description has changed.
class FontHandle {
public:
    FontHandle() = default;
    ~FontHandle();
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;

    // nullptr when the font can't be made; draw with the DC's font then.
    HFONT Get(const FontDescription& description);

private:
    HFONT font_ = nullptr;
    FontDescription made_;
};

}  // namespace forms
