#pragma once

#include <vector>

// The sprite texture that the saver hands to the renderer: a 32 x 32 grey
// glow about the centre point (15.5, 15.5), saturated in the core and fading
// to black at the corners.
constexpr int kGlowSize = 32;

// Brightness of the glow at distance `r` pixels from its centre.
unsigned char GlowBrightness(double r);

// A complete 24-bit bottom-up BMP file (file header, 40-byte info header,
// pixels) of the glow.
std::vector<unsigned char> MakeGlowBitmapFile();
