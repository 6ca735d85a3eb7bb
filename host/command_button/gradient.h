#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "host/command_button/button_state.h"

// The Command button's background: a vertical gradient between white and a
// light lavender tint over the whole face, its direction following the
// button's state. Portable; command_button_win32.cpp hands it to GdiGradientFill.

namespace command_button {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

// The two colours, as the control writes them.
constexpr std::string_view kWhiteText = "&HFFFFFF";
constexpr std::string_view kGradientTint = "&HC6C5D7";

// A colour text "&H" and six hexadecimal digits, read in text order: the
// first pair red, the second green, the third blue ("&HC6C5D7" is red C6,
// green C5, blue D7, not the &H00BBGGRR order of the system's colours).
// Nothing for any other text.
std::optional<Rgb> ReadColourText(std::string_view text);

// The gradient's direction after DrawFace in `state`: StateNormal and
// StateSelected draw white to tint (false), StateHighLight tint to white
// (true); StateNone and StateHighLightSelect keep the direction drawn before.
bool GradientReversedAfter(ButtonState state, bool reversedBefore);

// GradientFill's vertex: pixels, and 16-bit channels holding an 8-bit value
// in their high byte.
struct GradientVertex {
    int32_t x = 0;
    int32_t y = 0;
    uint16_t red = 0;
    uint16_t green = 0;
    uint16_t blue = 0;
    uint16_t alpha = 0;
};

// The vertices and the one rectangle of the fill (GRADIENT_FILL_RECT_V).
// Vertex 0 lies at the top-left corner and carries the top row's colour,
// vertex 1 at the bottom-right pixel with the bottom row's; the rectangle
// names vertex 1 as its upper left and vertex 0 as its lower right, which
// the fill does not mind: each colour stays on its vertex's row.
struct Gradient {
    GradientVertex vertices[2];
    uint32_t upperLeft = 1;
    uint32_t lowerRight = 0;
};

// The gradient over an inner area of `width` x `height` pixels: white at the
// top and the tint at the bottom, or the other way round when `reversed`.
// Nothing when a colour text can't be read.
std::optional<Gradient> MakeGradient(bool reversed, int32_t width, int32_t height);

}  // namespace command_button
