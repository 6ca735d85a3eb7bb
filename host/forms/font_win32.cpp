#include "host/forms/font_win32.h"

#include <cmath>

#include "host/forms/text_win32.h"

namespace forms {

FontHandle::~FontHandle() {
    if (font_ != nullptr) DeleteObject(font_);
}

HFONT FontHandle::Get(const FontDescription& description) {
    if (font_ != nullptr && made_ == description) return font_;
    if (font_ != nullptr) DeleteObject(font_);
    font_ = nullptr;

    int dpi = 96;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    LOGFONTW font = {};
    // A negative height asks for the character height, which is what a size
    // in points means.
    // https://learn.microsoft.com/en-us/windows/win32/api/wingdi/ns-wingdi-logfontw
    font.lfHeight = -static_cast<LONG>(std::lround(description.size * dpi / 72.0));
    font.lfWeight = description.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = description.italic;
    font.lfUnderline = description.underline;
    font.lfStrikeOut = description.strikethrough;
    font.lfCharSet = static_cast<BYTE>(description.charset);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring name = WideFromUtf8(description.name);
    lstrcpynW(font.lfFaceName, name.c_str(), LF_FACESIZE);
    font_ = CreateFontIndirectW(&font);
    made_ = description;
    return font_;
}

}  // namespace forms
