#pragma once

#include <cstdint>

// Colours as the forms take them: &H00BBGGRR, or one of the system's colours
// as &H800000nn, nn being its index (&H8000000F is the face of buttons).

namespace forms {

constexpr uint32_t kButtonFace = 0x8000000F;
constexpr uint32_t kButtonText = 0x80000012;
constexpr uint32_t kWindowFrame = 0x80000006;

// Whether a form or control accepts `colour`: a plain colour (high byte 0)
// or a system colour with a known index. Setting anything else fails.
bool IsValidColour(uint32_t colour);

// The &H00BBGGRR value to draw with, a system colour looked up now.
// Windows only: colour_win32.cpp.
uint32_t DrawingColour(uint32_t colour);

}  // namespace forms
