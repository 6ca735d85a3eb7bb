#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A complete 24-bit bottom-up BMP file (file header, 40-byte info header,
// pixels, each row padded to four bytes, 96 dpi) of a picture whose pixel at
// column x and row y, counted from the top, is pixel(x, y) as 0x00RRGGBB.
std::vector<unsigned char> MakeBmpFile24(int width, int height,
                                         const std::function<uint32_t(int x, int y)>& pixel);
