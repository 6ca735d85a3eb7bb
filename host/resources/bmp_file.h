#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The host's generated pictures as complete 24-bit BMP files (file header,
// 40-byte info header, bottom-up rows padded to four bytes, 96 dpi).
struct BmpPixel {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// `pixel` gives the colour at (x, y), y counted from the top.
std::vector<unsigned char> MakeBmpFile(int width, int height,
                                       const std::function<BmpPixel(int x, int y)>& pixel);
